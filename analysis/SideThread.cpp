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
    }
    changed_.notify_all();
}

void SideThread::WaitUntilDone() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return job_ == nullptr; });
}

void SideThread::Loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return job_ != nullptr || ending_; });
        if (job_ == nullptr) return;
        void (*run)(const void*) = run_;
        const void* job = job_;
        lock.unlock();
        run(job);
        lock.lock();
        job_ = nullptr;
        changed_.notify_all();
    }
}

}  // namespace velmora2
