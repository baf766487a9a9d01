#include "qt/FramePacer.h"

namespace velmora2 {

namespace {

constexpr double kDefaultFramesPerSecond = 60.0;
constexpr double kFastestScreen = 1000.0;

}  // namespace

FramePacer::FramePacer(double framesPerSecond)
    : interval_(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
          1.0 / (framesPerSecond > 0.0 && framesPerSecond <= kFastestScreen
                     ? framesPerSecond
                     : kDefaultFramesPerSecond)))) {}

bool FramePacer::TakeFrame(Clock::time_point now) {
    if (now < next_) return false;
    next_ += interval_;
    if (next_ <= now) next_ = now + interval_;
    return true;
}

}  // namespace velmora2
