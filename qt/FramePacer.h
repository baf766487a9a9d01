// Paces the pictures a window shows to the screen's frames: a picture is due at most once a
// frame, on the steady cadence of the frames, so that pictures arriving faster than the screen
// refreshes are not all copied and painted.
#pragma once

#include <chrono>

namespace velmora2 {

class FramePacer {
public:
    using Clock = std::chrono::steady_clock;

    // A refresh rate of 0 or less (a screen that does not tell), or an implausible one, paces at
    // 60 frames a second.
    explicit FramePacer(double framesPerSecond);

    // Whether a picture arriving at `now` is due; when it is, the next frame's picture is due a
    // frame after this frame's start (or a frame after now, when pictures paused for longer).
    bool TakeFrame(Clock::time_point now);

private:
    Clock::duration interval_;
    Clock::time_point next_{};
};

}  // namespace velmora2
