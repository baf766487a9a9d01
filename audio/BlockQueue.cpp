#include "audio/BlockQueue.h"

#include <cstring>

namespace velmora2 {

BlockQueue::BlockQueue(WakeSignal& consumerWake, size_t capacityBlocks)
    : consumerWake_(consumerWake),
      capacity_(capacityBlocks == 0 ? 1 : capacityBlocks),
      storage_(capacity_ * kBlockBytes) {}

bool BlockQueue::Push(const uint8_t* block) {
    const uint64_t tail = tail_.load(std::memory_order_relaxed);
    const uint64_t head = head_.load(std::memory_order_acquire);
    if (tail - head >= capacity_) {
        dropped_.fetch_add(1, std::memory_order_acq_rel);
        consumerWake_.Notify();
        return false;
    }
    std::memcpy(&storage_[(tail % capacity_) * kBlockBytes], block, kBlockBytes);
    tail_.store(tail + 1, std::memory_order_release);
    pushed_.fetch_add(1, std::memory_order_acq_rel);
    consumerWake_.Notify();
    return true;
}

bool BlockQueue::HasRoom() const {
    return tail_.load(std::memory_order_relaxed) - head_.load(std::memory_order_acquire) <
           capacity_;
}

bool BlockQueue::Pop(uint8_t* dst) {
    const uint64_t head = head_.load(std::memory_order_relaxed);
    const uint64_t tail = tail_.load(std::memory_order_acquire);
    if (head == tail) return false;
    std::memcpy(dst, &storage_[(head % capacity_) * kBlockBytes], kBlockBytes);
    head_.store(head + 1, std::memory_order_release);
    return true;
}

}  // namespace velmora2
