// The spectrum's stage: every setting a user changes reaches the spectrum view in the right
// place (channel, cursor pair, range), and the axis decides which painters draw.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "display/DrawingConventions.h"
#include "display/SpectrumStage.h"
#include "tests/display/DrawQueries.h"

namespace velmora2 {
namespace {

using testing::FindText;
using testing::Polylines;

TEST(SpectrumStage, SettingsReachTheViewInTheirPlaces) {
    const std::vector<double> leftMagnitudes(2048, 1.0);
    const std::vector<double> rightMagnitudes(2048, 2.0);
    struct Case {
        const char* description;
        std::function<void(RuntimeState&, SpectrumRecord&)> change;
        std::function<void(const SpectrumPicture&)> check;
    };
    const Case cases[] = {
        {"the spectrum cursors are entries 2 and 3, each with its own shown flag",
         [](RuntimeState& s, SpectrumRecord&) {
             s.cursors = {11, 22, 33, 44, 55, 66};
             s.cursorShown = {true, true, false, true, false, false};
         },
         [](const SpectrumPicture& p) {
             EXPECT_EQ(p.view.cursorX, (std::array<int32_t, 2>{33, 44}));
             EXPECT_EQ(p.view.cursorShown, (std::array<bool, 2>{false, true}));
         }},
        {"each channel keeps its own dB range",
         [](RuntimeState& s, SpectrumRecord&) {
             s.scales.dbBottomL = -60;
             s.scales.dbBottomR = -180;
         },
         [](const SpectrumPicture& p) {
             EXPECT_EQ(p.left.dbRange, -60.0);
             EXPECT_EQ(p.right.dbRange, -180.0);
         }},
        {"the spectrum positions, not the oscilloscope's, shift the traces",
         [](RuntimeState& s, SpectrumRecord&) {
             s.scales.specPositionL = 12;
             s.scales.specPositionR = -7;
             s.scales.positionL = 99;
             s.scales.positionR = 98;
         },
         [](const SpectrumPicture& p) {
             EXPECT_EQ(p.view.positionL, 12);
             EXPECT_EQ(p.view.positionR, -7);
         }},
        {"SPECCAL, span and horizontal position",
         [](RuntimeState& s, SpectrumRecord&) {
             s.scales.specCal = 3.5;
             s.scales.freqSpan = 20000;
             s.scales.freqOffset = 5;
         },
         [](const SpectrumPicture& p) {
             EXPECT_EQ(p.view.specCal, 3.5);
             EXPECT_EQ(p.view.freqOffset, 5);
             EXPECT_EQ(p.left.endFrequency, 20000.0);
             EXPECT_EQ(p.right.endFrequency, 20000.0);
             EXPECT_EQ(p.left.startFrequency, 0.0);
         }},
        {"a hidden right trace stays hidden, the left one shown",
         [](RuntimeState& s, SpectrumRecord&) { s.rightShown = false; },
         [](const SpectrumPicture& p) {
             EXPECT_TRUE(p.left.traceShown);
             EXPECT_FALSE(p.right.traceShown);
         }},
        {"the live averaging count and the sweep settle counter reach the notices",
         [](RuntimeState& s, SpectrumRecord& r) {
             s.averagingOn = true;
             r.averageCount = 17;
             r.settleCounter = 4;
         },
         [](const SpectrumPicture& p) {
             EXPECT_TRUE(p.status.averagingOn);
             EXPECT_EQ(p.status.averageCount, 17);
             EXPECT_EQ(p.status.settleCounter, 4);
         }},
        {"the read-out switches and hold",
         [](RuntimeState& s, SpectrumRecord&) {
             s.measurements = {false, true, false, true, true};
             s.run = false;
         },
         [](const SpectrumPicture& p) {
             EXPECT_FALSE(p.view.readout.mainFrequency);
             EXPECT_TRUE(p.view.readout.thd);
             EXPECT_FALSE(p.view.readout.thdPlusNoise);
             EXPECT_TRUE(p.view.readout.signalToNoise);
             EXPECT_TRUE(p.view.readout.highPass);
             EXPECT_FALSE(p.view.run);
         }},
        {"each channel gets its own analysis, origin and colour",
         [](RuntimeState&, SpectrumRecord& r) {
             r.left.figures.mainFrequency = 1000.0;
             r.right.figures.thd = 0.25;
         },
         [&](const SpectrumPicture& p) {
             EXPECT_EQ(p.left.magnitudes.data(), leftMagnitudes.data());
             EXPECT_EQ(p.right.magnitudes.data(), rightMagnitudes.data());
             EXPECT_EQ(p.left.figures.mainFrequency, 1000.0);
             EXPECT_FALSE(p.left.figures.thd.has_value());
             EXPECT_EQ(p.right.figures.thd, 0.25);
             EXPECT_EQ(p.left.y0, 30);
             EXPECT_EQ(p.right.y0, 60);
             EXPECT_EQ(p.left.color, kLeftChannelColor);
             EXPECT_EQ(p.right.color, kRightChannelColor);
             EXPECT_TRUE(p.left.isLeft);
             EXPECT_FALSE(p.right.isLeft);
             EXPECT_EQ(p.left.sampleRate, 96000.0);
         }},
        {"the logarithmic axis is kept with the record's size and rate",
         [](RuntimeState& s, SpectrumRecord& r) {
             s.logAxis = true;
             r.left.fftSize = r.right.fftSize = 8192;
         },
         [](const SpectrumPicture& p) {
             EXPECT_TRUE(p.logAxis);
             EXPECT_EQ(p.fftSize, 8192);
             EXPECT_EQ(p.right.fftSize, 8192);
             EXPECT_EQ(p.sampleRate, 96000);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        RuntimeState settings;
        SpectrumRecord record{{leftMagnitudes, 2048, {}}, {rightMagnitudes, 2048, {}}, 96000, 0, 0};
        c.change(settings, record);
        c.check(MakeSpectrumPicture(settings, record));
    }
}

TEST(SpectrumStage, TheAxisChoosesThePaintersAndHiddenTracesStayUndrawn) {
    // -60 dB in every bin: a flat trace well inside the default range.
    const std::vector<double> magnitudes(2048, 2048 * 32768.0 * 1e-3);
    struct Case {
        const char* description;
        bool logAxis;
        bool leftShown;
        bool rightShown;
    };
    const Case cases[] = {
        {"linear, both shown", false, true, true},
        {"linear, left hidden", false, false, true},
        {"logarithmic, both shown", true, true, true},
        {"logarithmic, right hidden", true, true, false},
        {"logarithmic, both hidden", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        RuntimeState settings;
        settings.logAxis = c.logAxis;
        settings.leftShown = c.leftShown;
        settings.rightShown = c.rightShown;
        const SpectrumRecord record{{magnitudes, 2048, {}}, {magnitudes, 2048, {}}, 48000, 0, 0};
        DrawCallLog surface{kSurfaceWidth, kSurfaceHeight, kFieldBackground};
        DrawSpectrumPicture(surface, MakeSpectrumPicture(settings, record));

        EXPECT_EQ(FindText(surface.Calls(), "1kHz").has_value(), c.logAxis);
        EXPECT_EQ(Polylines(surface.Calls(), kLeftChannelColor, PenStyle::Solid).empty(),
                  !c.leftShown);
        EXPECT_EQ(Polylines(surface.Calls(), kRightChannelColor, PenStyle::Solid).empty(),
                  !c.rightShown);
    }
}

}  // namespace
}  // namespace velmora2
