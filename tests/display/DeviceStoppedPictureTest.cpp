// The picture of a lost sound device: the empty field and the two lines of its notice.
#include <gtest/gtest.h>

#include "display/DeviceStoppedPicture.h"
#include "display/DrawCallLog.h"
#include "display/DrawingConventions.h"
#include "tests/display/DrawQueries.h"

namespace velmora2 {
namespace {

TEST(DeviceStoppedPicture, SaysSinceWhenAndHowLong) {
    struct Case {
        int64_t seconds;
        const char* second;
    };
    for (const Case& c : {Case{0, "No input for 0 s. Reconnecting every 2 s..."},
                          Case{59, "No input for 59 s. Reconnecting every 2 s..."},
                          Case{60, "No input for 1 min 00 s. Reconnecting every 2 s..."},
                          Case{185, "No input for 3 min 05 s. Reconnecting every 2 s..."},
                          Case{-3, "No input for 0 s. Reconnecting every 2 s..."}}) {
        DrawCallLog surface(kSurfaceWidth, kSurfaceHeight, kFieldBackground);
        DrawDeviceStoppedPicture(surface, {"05:38:50", c.seconds, 2});
        const auto texts = testing::Texts(surface.Calls());
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].text, "Sound device stopped at 05:38:50.");
        EXPECT_EQ(texts[1].text, c.second);
        EXPECT_GT(texts[1].at.y, texts[0].at.y);
        // The division field is drawn, as the scope's empty field.
        EXPECT_FALSE(testing::Segments(surface.Calls()).empty());
    }
}

}  // namespace
}  // namespace velmora2
