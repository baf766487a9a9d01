// The window's pictures are paced to the screen's frames: at most one a frame on the frames'
// steady cadence, at once after a pause, and at 60 a second when the screen gives no usable rate.
#include <gtest/gtest.h>

#include <chrono>

#include "qt/FramePacer.h"

namespace velmora2 {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

int DueInOneSecond(FramePacer& pacer, microseconds pictureInterval) {
    const FramePacer::Clock::time_point start{std::chrono::hours(1)};
    int due = 0;
    for (microseconds t{0}; t < std::chrono::seconds(1); t += pictureInterval)
        due += pacer.TakeFrame(start + t);
    return due;
}

TEST(FramePacer, ShowsAtMostOnePictureAFrame) {
    struct Case {
        double screenRate;
        microseconds pictureInterval;
        int least;
        int most;
    };
    const Case cases[] = {
        {60.0, microseconds(10667), 56, 60},   // 192000 Hz blocks on a 60 Hz screen
        {60.0, microseconds(42667), 24, 24},   // 48000 Hz blocks: every one is shown
        {144.0, microseconds(10667), 94, 94},  // a screen faster than the pictures
        {0.0, microseconds(10667), 56, 60},    // a screen that gives no rate: 60 Hz
        {-5.0, microseconds(1000), 59, 60},    //
        {1.0e6, microseconds(1000), 59, 60},   // an implausible rate
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screenRate);
        FramePacer pacer(c.screenRate);
        const int due = DueInOneSecond(pacer, c.pictureInterval);
        EXPECT_GE(due, c.least);
        EXPECT_LE(due, c.most);
    }
}

TEST(FramePacer, APictureAfterAPauseIsDueAtOnceAndStartsTheCadenceAgain) {
    FramePacer pacer(50.0);  // 20 ms frames
    const FramePacer::Clock::time_point start{std::chrono::hours(1)};
    EXPECT_TRUE(pacer.TakeFrame(start));
    EXPECT_FALSE(pacer.TakeFrame(start + milliseconds(19)));
    EXPECT_TRUE(pacer.TakeFrame(start + milliseconds(25)));
    // The next frame is due 20 ms after the last frame's start, not after the late picture.
    EXPECT_TRUE(pacer.TakeFrame(start + milliseconds(40)));
    EXPECT_TRUE(pacer.TakeFrame(start + milliseconds(1000)));
    EXPECT_FALSE(pacer.TakeFrame(start + milliseconds(1019)));
    EXPECT_TRUE(pacer.TakeFrame(start + milliseconds(1020)));
}

}  // namespace
}  // namespace velmora2
