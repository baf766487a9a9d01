// An auto-reset event: Set wakes one wait, and the wait that returns true consumes the signal.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace velmora2 {

class Event {
public:
    void Set() {
        {
            std::lock_guard lock(mutex_);
            signalled_ = true;
        }
        cv_.notify_all();
    }
    void Wait() {
        std::unique_lock lock(mutex_);
        cv_.wait(lock, [&] { return signalled_; });
        signalled_ = false;
    }
    // True when signalled within the timeout.
    bool WaitFor(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        if (!cv_.wait_for(lock, timeout, [&] { return signalled_; })) return false;
        signalled_ = false;
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool signalled_ = false;
};

}  // namespace velmora2
