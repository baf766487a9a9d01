// The capture queue between a producer thread (the audio callback) and the worker: blocks arrive
// whole and in order, and drops happen, and are counted, only when the queue is full.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <thread>

#include "audio/BlockQueue.h"

namespace velmora2 {
namespace {

// The first, middle and last frames of block n carry n, so a lost, reordered or torn block shows.
constexpr int kStampOffsets[] = {0, kBlockBytes / 2, kBlockBytes - 4};

void Fill(std::array<uint8_t, kBlockBytes>& block, uint32_t n) {
    for (const int offset : kStampOffsets) std::memcpy(&block[offset], &n, 4);
}

bool Carries(const std::array<uint8_t, kBlockBytes>& block, uint32_t n) {
    for (const int offset : kStampOffsets)
        if (std::memcmp(&block[offset], &n, 4) != 0) return false;
    return true;
}

TEST(BlockQueue, AMillionBlocksFromAProducerThreadArriveWholeAndInOrder) {
    constexpr uint32_t kBlocks = 1'000'000;
    WakeSignal wake;
    BlockQueue queue(wake, 8);
    std::atomic<bool> done{false};

    // The producer retries a refused block, so every block must arrive exactly once; the
    // refusals are the drops the queue counts.
    uint64_t refusals = 0;
    std::thread producer([&] {
        std::array<uint8_t, kBlockBytes> block;
        for (uint32_t n = 0; n < kBlocks; ++n) {
            Fill(block, n);
            while (!queue.Push(block.data())) {
                ++refusals;
                std::this_thread::yield();
            }
        }
        done.store(true, std::memory_order_release);
        wake.Notify();
    });

    std::array<uint8_t, kBlockBytes> block;
    uint32_t expected = 0;
    uint32_t wrong = 0;
    while (expected < kBlocks) {
        if (queue.Pop(block.data())) {
            wrong += !Carries(block, expected);
            ++expected;
            continue;
        }
        if (done.load(std::memory_order_acquire) && !queue.Pop(block.data())) break;
        wake.Wait();
    }
    producer.join();

    EXPECT_EQ(expected, kBlocks);
    EXPECT_EQ(wrong, 0u);
    EXPECT_FALSE(queue.Pop(block.data()));
    EXPECT_EQ(queue.PushedCount(), kBlocks);
    EXPECT_EQ(queue.DroppedCount(), refusals);
}

TEST(BlockQueue, DropsOnlyWhenFull) {
    struct Case {
        const char* description;
        int pushes;
        int popsBetween;  // pops after every push
        uint64_t dropped;
    };
    const Case cases[] = {
        {"filling exactly to capacity drops nothing", 4, 0, 0},
        {"each push beyond capacity is dropped whole", 7, 0, 3},
        {"a consumer keeping up never drops", 100, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        WakeSignal wake;
        BlockQueue queue(wake, 4);
        std::array<uint8_t, kBlockBytes> block;
        for (int n = 0; n < c.pushes; ++n) {
            Fill(block, static_cast<uint32_t>(n));
            queue.Push(block.data());
            for (int p = 0; p < c.popsBetween; ++p) ASSERT_TRUE(queue.Pop(block.data()));
        }
        EXPECT_EQ(queue.DroppedCount(), c.dropped);
        // What is left is the oldest blocks, in order.
        uint32_t next = static_cast<uint32_t>(c.popsBetween > 0 ? c.pushes : 0);
        while (queue.Pop(block.data())) EXPECT_TRUE(Carries(block, next++));
    }
}

}  // namespace
}  // namespace velmora2
