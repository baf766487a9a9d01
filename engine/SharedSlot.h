// One shared object handed between the user interface and the worker: either side may put one in
// or take a share of the one there. A plain lock, held only to copy the pointer (never while the
// object is used), so that the race checker can see what the two sides share.
#pragma once

#include <memory>
#include <mutex>
#include <utility>

namespace velmora2 {

template <typename T>
class SharedSlot {
public:
    std::shared_ptr<T> Load() const {
        std::lock_guard lock(mutex_);
        return held_;
    }
    void Store(std::shared_ptr<T> object) {
        std::shared_ptr<T> previous;
        {
            std::lock_guard lock(mutex_);
            previous = std::exchange(held_, std::move(object));
        }
        // The old object, if this was its last share, goes outside the lock.
    }
    // Empties the slot if it still holds `object`.
    void ClearIf(const std::shared_ptr<T>& object) {
        std::shared_ptr<T> previous;
        std::lock_guard lock(mutex_);
        if (held_ == object) previous = std::exchange(held_, nullptr);
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<T> held_;
};

}  // namespace velmora2
