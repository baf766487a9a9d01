#include "analysis/SideThread.h"

namespace velmora2 {

SideThread::SideThread() : thread_([this] { Loop(); }) {}

SideThread::~SideThread() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void SideThread::Hand(void (*run)(const void*), const void* job) {
    {
        std::lock_guard lock(mutex_);
        run_ = run;
        job_ = job;
        started_ = false;
    }
    changed_.notify_all();
}

bool SideThread::TakeBackOrWait(Clock::duration mineTook) {
    std::unique_lock lock(mutex_);
    if (job_ != nullptr && !started_) {
        job_ = nullptr;
        return true;
    }
    const Clock::time_point waitStart = Clock::now();
    changed_.wait(lock, [this] { return job_ == nullptr; });
    lateRounds_ = Clock::now() - waitStart > mineTook ? lateRounds_ + 1 : 0;
    restRounds_ = RestRoundsAfter(lateRounds_);
    return false;
}

void SideThread::Loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return (job_ != nullptr && !started_) || ending_; });
        if (job_ == nullptr || started_) return;
        started_ = true;
        void (*run)(const void*) = run_;
        const void* job = job_;
        lock.unlock();
        run(job);
        lock.lock();
        job_ = nullptr;
        started_ = false;
        changed_.notify_all();
    }
}

}  // namespace velmora2
