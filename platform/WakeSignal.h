// Wakes one waiting consumer thread. Notify is lock-free and never blocks, so it may be called
// from an audio callback; notifications that arrive before the wait are not lost, and several
// arriving together wake the consumer once.
#pragma once

#include <atomic>
#include <chrono>
#include <semaphore>

namespace velmora2 {

class WakeSignal {
public:
    void Notify() {
        if (!pending_.exchange(true, std::memory_order_acq_rel)) semaphore_.release();
    }
    // Blocks until notified; the notification is consumed.
    void Wait() {
        semaphore_.acquire();
        pending_.store(false, std::memory_order_release);
    }

private:
    std::atomic<bool> pending_{false};
    std::binary_semaphore semaphore_{0};
};

}  // namespace velmora2
