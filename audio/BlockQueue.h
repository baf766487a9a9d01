// Single-producer, single-consumer queue of capture blocks (kBlockBytes each). The producer (an
// audio callback or the simulated bench) copies a block in without allocating or locking; the
// consumer (the engine's worker) takes blocks in arrival order. When the queue is full the new
// block is dropped whole and counted.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "audio/SoundSystem.h"
#include "platform/WakeSignal.h"

namespace velmora2 {

class BlockQueue {
public:
    static constexpr size_t kDefaultCapacity = 64;

    explicit BlockQueue(WakeSignal& consumerWake, size_t capacityBlocks = kDefaultCapacity);

    // Producer side: copies kBlockBytes from block. Returns false (and counts) when full.
    bool Push(const uint8_t* block);
    // Producer side: whether the next Push would be taken rather than dropped.
    bool HasRoom() const;
    // Consumer side: copies the oldest block into dst. Returns false when empty.
    bool Pop(uint8_t* dst);

    // Producer side: the stream has ended or failed, no further block will come. The consumer
    // still receives the blocks queued before.
    void MarkEnded() {
        ended_.store(true, std::memory_order_release);
        consumerWake_.Notify();
    }
    bool Ended() const { return ended_.load(std::memory_order_acquire); }

    size_t Capacity() const { return capacity_; }
    uint64_t PushedCount() const { return pushed_.load(std::memory_order_acquire); }
    uint64_t DroppedCount() const { return dropped_.load(std::memory_order_acquire); }

private:
    WakeSignal& consumerWake_;
    size_t capacity_;
    std::vector<uint8_t> storage_;
    std::atomic<uint64_t> head_{0};  // next block to pop (consumer-owned)
    std::atomic<uint64_t> tail_{0};  // next slot to fill (producer-owned)
    std::atomic<uint64_t> pushed_{0};
    std::atomic<uint64_t> dropped_{0};
    std::atomic<bool> ended_{false};
};

}  // namespace velmora2
