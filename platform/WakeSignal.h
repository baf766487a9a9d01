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
    // Blocks until notified; the notification is consumed. The flag is cleared by an exchange,
    // not a store: a Notify that found it still set (and so released nothing) is then ordered
    // before the clear, and everything the notifier published is visible to the caller's next
    // look at its work. A plain store could let that look see stale data while the notification
    // was swallowed, leaving the caller asleep with work queued.
    void Wait() {
        semaphore_.acquire();
        pending_.exchange(false, std::memory_order_acq_rel);
    }
    // As Wait (the flag cleared the same way), but gives up after the timeout; true when notified.
    bool WaitFor(std::chrono::steady_clock::duration timeout) {
        if (!semaphore_.try_acquire_for(timeout)) return false;
        pending_.exchange(false, std::memory_order_acq_rel);
        return true;
    }

private:
    std::atomic<bool> pending_{false};
    std::binary_semaphore semaphore_{0};
};

}  // namespace velmora2
