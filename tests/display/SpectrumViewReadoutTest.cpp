#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/DrawingConventions.h"
#include "display/SpectrumReadout.h"
#include "tests/display/DrawQueries.h"

namespace velmora2 {
namespace {

using testing::FindText;
using testing::Texts;

struct Line {
    std::string text;
    Point at;
};

class SpectrumReadoutTest : public ::testing::Test {
protected:
    static SpectrumChannel Channel(bool left) {
        SpectrumChannel channel;
        channel.isLeft = left;
        channel.fftSize = 2048;
        channel.figures = {1000.4, 0.0123456, 0.05, 85.26};
        return channel;
    }
    // At the anchors the views use: origin y + 30 for the left (30) and right (60) channels.
    void Draw(const SpectrumChannel& channel) {
        DrawSpectrumReadout(surface, 0, channel.isLeft ? 60 : 90, channel, switches);
    }
    std::vector<Line> Lines() const {
        std::vector<Line> lines;
        for (const auto& text : Texts(surface.Calls())) {
            EXPECT_EQ(text.color, kTextColor) << text.text;
            lines.push_back({text.text, text.at});
        }
        return lines;
    }
    bool Has(const std::string& text) const { return FindText(surface.Calls(), text).has_value(); }

    SpectrumReadoutSwitches switches;
    DrawCallLog surface{kSurfaceWidth, kSurfaceHeight, kFieldBackground};
};

TEST_F(SpectrumReadoutTest, LeftAndRightBlocksStackAndShareTheFilterAndSizeRows) {
    struct Row {
        bool left;
        std::vector<Line> expected;
    };
    const Row rows[] = {
        {true,
         {{"Lch:", {365, 20}},
          {"HPF: Off", {397, 100}},
          {"2048 point FFT", {397, 110}},
          {"Main: 1000Hz", {397, 20}},
          {"THD: 0.01235%", {397, 30}},
          {"+N: 0.05000%", {397, 40}},
          {"SN:  85.3dB", {397, 50}}}},
        {false,
         {{"Rch:", {365, 60}},
          {"HPF: Off", {397, 100}},
          {"2048 point FFT", {397, 110}},
          {"Main: 1000Hz", {397, 60}},
          {"THD: 0.01235%", {397, 70}},
          {"+N: 0.05000%", {397, 80}},
          {"SN:  85.3dB", {397, 90}}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.left ? "left" : "right");
        surface.Clear();
        Draw(Channel(row.left));
        const auto lines = Lines();
        ASSERT_EQ(lines.size(), row.expected.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].text, row.expected[i].text);
            EXPECT_EQ(lines[i].at, row.expected[i].at) << lines[i].text;
        }
    }
}

TEST_F(SpectrumReadoutTest, FiguresThatCannotBeMeasuredSayUnmeasured) {
    SpectrumChannel channel = Channel(true);
    channel.figures = {0.0, {}, {}, {}};
    Draw(channel);
    EXPECT_TRUE(Has("Main:    0Hz"));
    EXPECT_TRUE(Has("THD:unmeasured"));
    EXPECT_TRUE(Has("+N:unmeasured"));
    EXPECT_TRUE(Has("SN:unmeasured"));
}

TEST_F(SpectrumReadoutTest, HighPassStateAndFftSizeAreReported) {
    switches.highPass = true;
    SpectrumChannel channel = Channel(false);
    channel.fftSize = 65536;
    Draw(channel);
    EXPECT_TRUE(Has("HPF: On"));
    EXPECT_TRUE(Has("65536 point FFT"));
}

TEST_F(SpectrumReadoutTest, EachSwitchShowsOnlyItsLineBesidesTheCommonOnes) {
    struct Row {
        const char* description;
        SpectrumReadoutSwitches switches;
        const char* line;  // nullptr: nothing at all
    };
    const Row rows[] = {
        {"main frequency only", {true, false, false, false, false}, "Main: 1000Hz"},
        {"THD only", {false, true, false, false, false}, "THD: 0.01235%"},
        {"THD+N only", {false, false, true, false, false}, "+N: 0.05000%"},
        {"S/N only", {false, false, false, true, false}, "SN:  85.3dB"},
        {"all off, high-pass on", {false, false, false, false, true}, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.description);
        surface.Clear();
        switches = row.switches;
        Draw(Channel(true));
        const auto lines = Lines();
        if (row.line == nullptr) {
            EXPECT_TRUE(lines.empty());
            continue;
        }
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_TRUE(Has("Lch:"));
        EXPECT_TRUE(Has("HPF: Off"));
        EXPECT_TRUE(Has("2048 point FFT"));
        EXPECT_TRUE(Has(row.line));
    }
}

TEST_F(SpectrumReadoutTest, TheViewDrawsExactlyTheLaidOutLinesAtItsAnchor) {
    struct Row {
        const char* description;
        bool left;
        SpectrumReadoutSwitches switches;
        Point anchor;
    };
    const Row rows[] = {
        {"left, everything on", true, {}, {0, 60}},
        {"right, high-pass, no S/N", false, {true, true, true, false, true}, {240, 90}},
        {"left, only THD", true, {false, true, false, false, false}, {-20, 45}},
        {"right, all off", false, {false, false, false, false, true}, {0, 90}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.description);
        surface.Clear();
        switches = row.switches;
        const SpectrumChannel channel = Channel(row.left);
        DrawSpectrumReadout(surface, row.anchor.x, row.anchor.y, channel, switches);
        const SpectrumReadoutLines laidOut = LayOutSpectrumReadout(channel, switches);
        const auto drawn = Lines();
        ASSERT_EQ(drawn.size(), laidOut.count);
        size_t i = 0;
        for (const SpectrumReadoutLine& line : laidOut) {
            EXPECT_EQ(drawn[i].text, line.text.View());
            EXPECT_EQ(drawn[i].at, (Point{row.anchor.x + line.column, row.anchor.y + line.row}))
                << drawn[i].text;
            ++i;
        }
    }
}

}  // namespace
}  // namespace velmora2
