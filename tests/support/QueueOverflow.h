// Lost input made on purpose: the engine's worker held while the stepped bench delivers more
// blocks than its queue holds.
#pragma once

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "audio/BlockQueue.h"
#include "audio/sim/SimBench.h"
#include "engine/CDSCapture.h"
#include "measurement/SteppedDelivery.h"

namespace velmora2::testing {

// Holds the engine's worker in a block (the second after it is made, unless told otherwise) while
// the bench overflows the block queue, then lets it drain what the queue kept. A worker still held
// is let go when this goes; the observer shares what it waits on, so the worker may outlive this.
class QueueOverflow {
public:
    QueueOverflow(SimBench& bench, CDSCapture& engine, int heldBlock = 1)
        : bench_(bench), engine_(engine), heldBlock_(heldBlock) {
        engine.SetBlockObserver([hold = hold_, heldBlock](const CDSCapture::ProcessedBlock&) {
            if (hold->blocks.fetch_add(1) == heldBlock) {
                hold->stalled = true;
                hold->released.wait();
            }
        });
    }
    ~QueueOverflow() { Release(); }
    QueueOverflow(const QueueOverflow&) = delete;
    QueueOverflow& operator=(const QueueOverflow&) = delete;

    // Blocks up to the held one; returns once the worker is held in it.
    bool HoldWorker() {
        if (bench_.Step(heldBlock_ + 1) != heldBlock_ + 1) return false;
        while (!hold_->stalled) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return true;
    }
    // Fills the queue, loses `lost` blocks more, lets the worker go and waits until it has
    // processed every block the queue kept.
    bool Overflow(int lost) {
        const int extra = static_cast<int>(BlockQueue::kDefaultCapacity) + lost;
        if (bench_.Step(extra) != extra) return false;
        Release();
        return WaitForBlocks(engine_, heldBlock_ + 1 + BlockQueue::kDefaultCapacity);
    }

private:
    struct Hold {
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        bool releasedOnce = false;
        std::atomic<bool> stalled{false};
        std::atomic<int> blocks{0};
    };
    void Release() {
        if (hold_->releasedOnce) return;
        hold_->releasedOnce = true;
        hold_->release.set_value();
    }

    SimBench& bench_;
    CDSCapture& engine_;
    const int heldBlock_;
    std::shared_ptr<Hold> hold_ = std::make_shared<Hold>();
};

}  // namespace velmora2::testing
