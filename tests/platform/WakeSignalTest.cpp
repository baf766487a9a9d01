// The worker's wake-up: a notification racing the consumer's wait must never be lost, or the
// worker would sleep with a block queued or a stop pending.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

#include "platform/WakeSignal.h"

namespace velmora2 {
namespace {

// A million notifications in bursts of one to four, so that many arrive while the consumer is
// just waking from the one before. After each burst the producer waits for the consumer to take
// the last item before notifying again: a lost notification leaves the consumer asleep with an
// item announced and no later notification to rescue it.
TEST(WakeSignal, AMillionNotificationsRacingTheWaitLoseNoWakeUp) {
    constexpr uint64_t kItems = 1'000'000;
    WakeSignal wake;
    std::atomic<uint64_t> announced{0};
    std::atomic<uint64_t> taken{0};
    std::atomic<bool> finished{false};

    std::thread consumer([&] {
        uint64_t seen = 0;
        while (seen < kItems && !finished.load(std::memory_order_acquire)) {
            const uint64_t now = announced.load(std::memory_order_acquire);
            if (now != seen) {
                seen = now;
                taken.store(seen, std::memory_order_release);
                continue;
            }
            wake.Wait();
        }
    });

    uint64_t stuckAt = 0;
    uint64_t i = 0;
    for (uint64_t round = 0; i < kItems && stuckAt == 0; ++round) {
        for (uint64_t k = 0; k <= round % 4 && i < kItems; ++k) {
            announced.store(++i, std::memory_order_release);
            wake.Notify();
        }
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (taken.load(std::memory_order_acquire) != i) {
            if (std::chrono::steady_clock::now() > limit) {
                stuckAt = i;
                break;
            }
            std::this_thread::yield();
        }
    }
    finished.store(true, std::memory_order_release);
    wake.Notify();  // frees a consumer that is stuck, so the test can end
    consumer.join();
    EXPECT_EQ(stuckAt, 0u) << "the consumer slept with item " << stuckAt << " announced";
}

}  // namespace
}  // namespace velmora2
