// Decides when the worker writes the count of lost input blocks to standard error: as soon as the
// first block is lost, then at most once a second while the count keeps growing.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace velmora2 {

class DataLossReport {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kInterval = std::chrono::seconds(1);

    // The count to write now, or nothing (no new loss, or the last line is too recent).
    std::optional<uint64_t> Due(uint64_t droppedBlocks, Clock::time_point now) {
        if (droppedBlocks <= reported_) return std::nullopt;
        if (lastLine_ && now - *lastLine_ < kInterval) return std::nullopt;
        reported_ = droppedBlocks;
        lastLine_ = now;
        return droppedBlocks;
    }

private:
    uint64_t reported_ = 0;
    std::optional<Clock::time_point> lastLine_;
};

}  // namespace velmora2
