// A drawing target that can hold the engine's worker inside a block: once armed, the next copy
// to the window waits until the test releases it, so the test can act while a block is halfway
// through.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "display/DrawCallLog.h"

namespace velmora2::testing {

class BlockingTarget final : public DrawingTarget {
public:
    void Arm() {
        std::lock_guard lock(mutex_);
        armed_ = true;
        held_ = false;
    }
    // Waits (a safety limit, not a timing check) until the worker is held.
    bool WaitUntilHeld(std::chrono::seconds limit = std::chrono::seconds(20)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [&] { return held_; });
    }
    void Release() {
        {
            std::lock_guard lock(mutex_);
            armed_ = false;
        }
        changed_.notify_all();
    }

    std::unique_ptr<Surface> CreateSurface(int width, int height, Rgb background) override {
        return log_.CreateSurface(width, height, background);
    }
    void CopyToWindow(const Surface& source, int x, int y) override {
        {
            std::unique_lock lock(mutex_);
            if (armed_) {
                held_ = true;
                changed_.notify_all();
                changed_.wait(lock, [&] { return !armed_; });
            }
        }
        log_.CopyToWindow(source, x, y);
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool armed_ = false;
    bool held_ = false;
    DrawCallLogTarget log_;
};

}  // namespace velmora2::testing
