// The oscilloscope's stage: the block's settings and trigger reach the oscilloscope view in the
// right places, and the picture is the background with both channels over it.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "display/DrawingConventions.h"
#include "display/ScopeStage.h"
#include "tests/display/DrawQueries.h"

namespace velmora2 {
namespace {

using testing::Polylines;

TEST(ScopeStage, SettingsReachTheViewInTheirPlaces) {
    const std::array<double, 2048> left{};
    const std::array<double, 2048> right{};
    struct Case {
        const char* description;
        std::function<void(RuntimeState&, ScopeBlock&)> change;
        std::function<void(const ScopePicture&)> check;
    };
    const Case cases[] = {
        {"the oscilloscope cursors are entries 0 and 1",
         [](RuntimeState& s, ScopeBlock&) {
             s.cursors = {11, 22, 33, 44, 55, 66};
             s.cursorShown = {false, true, true, true, true, true};
         },
         [](const ScopePicture& p) {
             EXPECT_EQ(p.state.cursorX, (std::array<int32_t, 2>{11, 22}));
             EXPECT_EQ(p.state.cursorShown, (std::array<bool, 2>{false, true}));
         }},
        {"scales, positions and calibration per channel",
         [](RuntimeState& s, ScopeBlock&) {
             s.scales.timeSpan = 1920;
             s.scales.timeOffset = 30;
             s.scales.scaleL = 3277;
             s.scales.scaleR = 65536;
             s.scales.positionL = 5;
             s.scales.positionR = -8;
             s.scales.specPositionL = 99;
             s.scales.cal = 1.25;
         },
         [](const ScopePicture& p) {
             EXPECT_EQ(p.state.timeSpan, 1920);
             EXPECT_EQ(p.state.timeOffset, 30);
             EXPECT_EQ(p.state.scaleL, 3277);
             EXPECT_EQ(p.state.scaleR, 65536);
             EXPECT_EQ(p.state.positionL, 5);
             EXPECT_EQ(p.state.positionR, -8);
             EXPECT_EQ(p.state.cal, 1.25);
         }},
        {"the trigger found in the block and the trigger settings",
         [](RuntimeState& s, ScopeBlock& b) {
             s.triggerEnabled = true;
             s.triggerSourceLeft = false;
             s.triggerRepeat = false;
             s.triggerLevel = -1200;
             b.triggerIndex = 345;
             b.traceValid = true;
         },
         [](const ScopePicture& p) {
             EXPECT_TRUE(p.state.triggerEnabled);
             EXPECT_FALSE(p.state.triggerSourceLeft);
             EXPECT_FALSE(p.state.triggerRepeat);
             EXPECT_EQ(p.state.triggerLevel, -1200);
             EXPECT_EQ(p.state.triggerIndex, 345);
             EXPECT_TRUE(p.left.valid);
             EXPECT_TRUE(p.right.valid);
         }},
        {"no crossing: neither trace may be drawn",
         [](RuntimeState&, ScopeBlock& b) { b.traceValid = false; },
         [](const ScopePicture& p) {
             EXPECT_FALSE(p.left.valid);
             EXPECT_FALSE(p.right.valid);
         }},
        {"oversampling, filter, rate, units and hold",
         [](RuntimeState& s, ScopeBlock& b) {
             s.oversampling = 4;
             s.adcRangeShown = true;
             s.differenceUnit = false;
             s.run = false;
             b.filterLength = 93;
             b.sampleRate = 192000;
         },
         [](const ScopePicture& p) {
             EXPECT_EQ(p.state.oversampling, 4);
             EXPECT_EQ(p.state.filterLength, 93);
             EXPECT_EQ(p.state.sampleRate, 192000);
             EXPECT_TRUE(p.state.adcRangeShown);
             EXPECT_FALSE(p.state.differenceInSeconds);
             EXPECT_FALSE(p.state.run);
         }},
        {"each channel its own buffer, band, colour and switch",
         [](RuntimeState& s, ScopeBlock&) { s.leftShown = false; },
         [&](const ScopePicture& p) {
             EXPECT_EQ(p.left.samples.data(), left.data());
             EXPECT_EQ(p.right.samples.data(), right.data());
             EXPECT_EQ(p.left.y0, 40);
             EXPECT_EQ(p.right.y0, 220);
             EXPECT_EQ(p.left.color, kLeftChannelColor);
             EXPECT_EQ(p.right.color, kRightChannelColor);
             EXPECT_TRUE(p.left.isLeft);
             EXPECT_FALSE(p.right.isLeft);
             EXPECT_FALSE(p.left.channelOn);
             EXPECT_TRUE(p.right.channelOn);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        RuntimeState settings;
        ScopeBlock block{left, right, 60, true, 0, 48000};
        c.change(settings, block);
        c.check(MakeScopePicture(settings, block));
    }
}

TEST(ScopeStage, PictureShowsOnlyTheChannelsSwitchedOn) {
    const std::array<double, 2048> flat{};
    for (const bool leftShown : {true, false}) {
        SCOPED_TRACE(leftShown);
        RuntimeState settings;
        settings.leftShown = leftShown;
        DrawCallLog surface{kSurfaceWidth, kSurfaceHeight, kFieldBackground};
        DrawScopePicture(surface,
                         MakeScopePicture(settings, ScopeBlock{flat, flat, 60, true, 0, 48000}));
        ASSERT_FALSE(surface.Calls().empty());
        EXPECT_EQ(surface.Calls().front().kind, DrawCall::Kind::Rect);  // the background first
        EXPECT_EQ(Polylines(surface.Calls(), kLeftChannelColor, PenStyle::Solid).empty(),
                  !leftShown);
        EXPECT_FALSE(Polylines(surface.Calls(), kRightChannelColor, PenStyle::Solid).empty());
    }
}

}  // namespace
}  // namespace velmora2
