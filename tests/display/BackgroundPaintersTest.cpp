#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "display/BackgroundPainters.h"
#include "display/DrawingConventions.h"
#include "tests/display/DrawQueries.h"

namespace velmora2 {
namespace {

using testing::FindText;
using testing::Segment;
using testing::Segments;
using testing::SegmentsWithPen;
using testing::Texts;

constexpr Rgb kGrid = kGridPen.color;
constexpr Rgb kBlack = kDefaultPen.color;

std::set<int> VerticalLineXs(const std::vector<Segment>& segments) {
    std::set<int> xs;
    for (const Segment& s : segments)
        if (s.from.x == s.to.x) xs.insert(s.from.x);
    return xs;
}

size_t CountHorizontal(const std::vector<Segment>& segments) {
    return std::count_if(segments.begin(), segments.end(),
                         [](const Segment& s) { return s.from.y == s.to.y; });
}

class BackgroundTest : public ::testing::Test {
protected:
    const std::vector<DrawCall>& Calls() const { return surface.Calls(); }
    DrawCallLog surface{kSurfaceWidth, kSurfaceHeight, kFieldBackground};
};

TEST_F(BackgroundTest, EveryPainterStartsAFreshWhitePicture) {
    const SpectrumStatus status;
    const auto painters = {
        +[](Surface& s, const SpectrumStatus& st) { DrawScopeBackground(s, st.recording); },
        +[](Surface& s, const SpectrumStatus& st) { DrawSpectrumBackground(s, st); },
        +[](Surface& s, const SpectrumStatus& st) {
            DrawSpectrumBackgroundLog(s, st, 2048, 48000);
        },
        +[](Surface& s, const SpectrumStatus& st) { DrawLissajousBackground(s, st.recording); },
    };
    for (const auto paint : painters) {
        surface.DrawText(5, 5, "left over from the previous picture", kBlack);
        paint(surface, status);
        ASSERT_FALSE(Calls().empty());
        EXPECT_EQ(Calls().front().kind, DrawCall::Kind::Rect);
        EXPECT_EQ(Calls().front().color, kFieldBackground);
        EXPECT_FALSE(FindText(Calls(), "left over from the previous picture"));
        for (const auto& text : Texts(Calls()))
            EXPECT_TRUE(text.text.ends_with("Hz")) << "no notices when nothing is going on";
    }
}

TEST_F(BackgroundTest, ScopeFieldHasTenByTwelveDivisionsAndAFrame) {
    DrawScopeBackground(surface, {});
    const auto grid = SegmentsWithPen(Calls(), kGrid, PenStyle::Dotted);
    EXPECT_EQ(CountHorizontal(grid), 13u);
    EXPECT_EQ(VerticalLineXs(grid),
              (std::set<int>{0, 48, 96, 144, 192, 240, 288, 336, 384, 432, 480}));
    EXPECT_EQ(grid[1], (Segment{{0, 30}, {480, 30}, kGrid, PenStyle::Dotted}));

    const auto frame = SegmentsWithPen(Calls(), kBlack, PenStyle::Solid);
    ASSERT_EQ(frame.size(), 4u);
    EXPECT_EQ(frame[1], (Segment{{0, 360}, {480, 360}, kBlack, PenStyle::Solid}));
    EXPECT_EQ(frame[3], (Segment{{480, 0}, {480, 360}, kBlack, PenStyle::Solid}));
    // The grid comes first, so the frame is never dotted over.
    EXPECT_EQ(Segments(Calls()).back().style, PenStyle::Solid);
}

TEST_F(BackgroundTest, RecordingNoticeAppearsInEveryModeAtItsPlace) {
    struct Notice {
        const char* what;
        RecordingStatus recording;
        std::string text;
        std::string below;  // the line under it; empty for none
    };
    const Notice notices[] = {
        {"recording",
         {true, "RECORD03.wav", false, {}},
         "Recording to RECORD03.wav. Click TEISHI to suspend.",
         ""},
        {"ended full",
         {false, "RECORD03.wav", true, {}},
         "Recording stopped: RECORD03.wav is full (4 GiB).",
         ""},
        {"recording away from the program",
         {true, "RECORD01.wav", false, "~/.local/share/velmora2"},
         "Recording to RECORD01.wav. Click TEISHI to suspend.",
         "in ~/.local/share/velmora2"},
    };
    struct Case {
        const char* what;
        void (*paint)(Surface&, const SpectrumStatus&);
        Point at;
    };
    const Case cases[] = {
        {"scope",
         [](Surface& s, const SpectrumStatus& st) { DrawScopeBackground(s, st.recording); },
         {110, 35}},
        {"linear spectrum",
         [](Surface& s, const SpectrumStatus& st) { DrawSpectrumBackground(s, st); },
         {110, 35}},
        {"log spectrum",
         [](Surface& s, const SpectrumStatus& st) {
             DrawSpectrumBackgroundLog(s, st, 2048, 48000);
         },
         {60, 35}},
        {"Lissajous",
         [](Surface& s, const SpectrumStatus& st) { DrawLissajousBackground(s, st.recording); },
         {110, 35}},
    };
    for (const Notice& n : notices) {
        const SpectrumStatus spectrum{n.recording, 0, false, 0};
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(n.what) + ", " + c.what);
            c.paint(surface, spectrum);
            const auto text = FindText(Calls(), n.text);
            ASSERT_TRUE(text);
            EXPECT_EQ(text->at, c.at);
            EXPECT_EQ(text->color, kBlack);
            const auto below = FindText(Calls(), n.below);
            EXPECT_EQ(below.has_value(), !n.below.empty());
            if (below) {
                EXPECT_EQ(below->at, (Point{c.at.x, c.at.y + 14}));
            }
            surface.Clear();
        }
    }
}

TEST_F(BackgroundTest, NoRecordingNoticeWhenNoneRunsAndNoneEndedFull) {
    const RecordingStatus stoppedByHand{false, "RECORD03.wav", false, "~/recordings"};
    DrawScopeBackground(surface, stoppedByHand);
    for (const DrawCall& call : Calls()) {
        if (call.kind == DrawCall::Kind::Text) {
            EXPECT_EQ(call.text.find("RECORD"), std::string::npos) << call.text;
        }
    }
}

TEST_F(BackgroundTest, SpectrumNoticesFollowSweepAndAveragingState) {
    struct Case {
        const char* what;
        SpectrumStatus status;
        bool logAxis;
        std::vector<std::pair<std::string, Point>> expected;
    };
    const std::string network = "Doing Network Analysis. Wait for a while...";
    const Case cases[] = {
        {"sweep point settling", {{}, 3, false, 0}, false, {{network, {80, 35}}}},
        {"sweep point settling, log", {{}, 1, false, 0}, true, {{network, {80, 35}}}},
        {"averaging running",
         {{}, 0, true, 2},
         false,
         {{"2  Taking Average. Wait for a while...", {140, 35}}}},
        {"averaging running, log",
         {{}, 0, true, 50},
         true,
         {{"50  Taking Average. Wait for a while...", {100, 35}}}},
        {"averaging finished", {{}, 0, true, 0}, false, {{"Averaging Finished.", {180, 35}}}},
        {"averaging finished, log", {{}, 0, true, 0}, true, {{"Averaging Finished.", {140, 35}}}},
        {"averaging off keeps quiet whatever the count", {{}, 0, false, 7}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.logAxis)
            DrawSpectrumBackgroundLog(surface, c.status, 2048, 48000);
        else
            DrawSpectrumBackground(surface, c.status);
        const auto texts = Texts(Calls());
        const size_t labels = c.logAxis ? 3 : 0;  // "100Hz", "1kHz", "10kHz"
        ASSERT_EQ(texts.size(), labels + c.expected.size());
        for (size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(texts[labels + i].text, c.expected[i].first);
            EXPECT_EQ(texts[labels + i].at, c.expected[i].second);
        }
    }
}

TEST_F(BackgroundTest, LogGridAt48kHzEndsBelowHalfTheRate) {
    DrawSpectrumBackgroundLog(surface, {}, 2048, 48000);
    const auto grid = SegmentsWithPen(Calls(), kGrid, PenStyle::Dotted);
    // 10 and 20 Hz lie below the first bin (23.4375 Hz), left of the field; 30000 Hz and up are
    // not drawn at all.
    const std::set<int> expected{-58, -10, 17,  37,  52,  65,  75,  85,  93,  100,
                                 148, 176, 196, 211, 224, 235, 244, 252, 259, 307,
                                 336, 355, 371, 384, 394, 403, 412, 419, 467};
    const auto vertical = VerticalLineXs(grid);
    EXPECT_EQ(vertical, expected);
    EXPECT_EQ(grid.size(), expected.size() + 13);
    EXPECT_EQ(FindText(Calls(), "100Hz")->at, (Point{102, 5}));
    EXPECT_EQ(FindText(Calls(), "1kHz")->at, (Point{261, 5}));
    EXPECT_EQ(FindText(Calls(), "10kHz")->at, (Point{421, 5}));
}

TEST_F(BackgroundTest, LogGridAt192kHzReaches90kHz) {
    DrawSpectrumBackgroundLog(surface, {}, 2048, 192000);
    const auto vertical = VerticalLineXs(SegmentsWithPen(Calls(), kGrid, PenStyle::Dotted));
    EXPECT_EQ(vertical.size(), 36u);     // m = 10..90, four decades each
    EXPECT_EQ(*vertical.rbegin(), 475);  // 90000 Hz
    EXPECT_EQ(vertical.count(467), 1u);  // 80000 Hz
    EXPECT_EQ(FindText(Calls(), "10kHz")->at, (Point{325, 5}));
}

TEST_F(BackgroundTest, LogGridLeavesOutALineAtExactlyHalfTheRate) {
    DrawSpectrumBackgroundLog(surface, {}, 2048, 40000);
    const auto vertical = VerticalLineXs(SegmentsWithPen(Calls(), kGrid, PenStyle::Dotted));
    EXPECT_EQ(vertical.size(), 28u);
    EXPECT_EQ(vertical.count(480), 0u) << "20000 Hz is half of 40000 Hz, the last bin";
}

TEST_F(BackgroundTest, LissajousGridIsASquareAroundTheCentreWithAxes) {
    DrawLissajousBackground(surface, {});
    const auto grid = SegmentsWithPen(Calls(), kGrid, PenStyle::Dotted);
    ASSERT_EQ(grid.size(), 22u);
    EXPECT_EQ(grid.front(), (Segment{{90, 30}, {390, 30}, kGrid, PenStyle::Dotted}));
    EXPECT_EQ(grid[10], (Segment{{90, 330}, {390, 330}, kGrid, PenStyle::Dotted}));
    EXPECT_EQ(grid.back(), (Segment{{390, 30}, {390, 330}, kGrid, PenStyle::Dotted}));

    const auto solid = SegmentsWithPen(Calls(), kBlack, PenStyle::Solid);
    const std::vector<Segment> expected{
        {{90, 30}, {390, 30}, kBlack, PenStyle::Solid},
        {{90, 180}, {390, 180}, kBlack, PenStyle::Solid},
        {{90, 330}, {390, 330}, kBlack, PenStyle::Solid},
        {{0, 0}, {480, 0}, kBlack, PenStyle::Solid},
        {{0, 360}, {480, 360}, kBlack, PenStyle::Solid},
        {{90, 30}, {90, 330}, kBlack, PenStyle::Solid},
        {{240, 30}, {240, 330}, kBlack, PenStyle::Solid},
        {{390, 30}, {390, 330}, kBlack, PenStyle::Solid},
        {{0, 0}, {0, 360}, kBlack, PenStyle::Solid},
        {{480, 0}, {480, 360}, kBlack, PenStyle::Solid},
    };
    EXPECT_EQ(solid, expected);
}

}  // namespace
}  // namespace velmora2
