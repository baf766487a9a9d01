// The record and stop buttons and the time limit as the user meets them: the files that appear,
// the buttons that may be pressed, timer 1, and the messages when nothing can be written.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>

#include "panel/ControlIds.h"
#include "panel/RecordPanel.h"
#include "tests/panel/PanelBench.h"

namespace velmora2 {
namespace {

constexpr const char* kCannotWrite =
    "RECORDXX.WAVに書き込めません。\r\n\r\nﾌｧｲﾙ使用中か書込禁止の可能性があります。";

TEST(RecordingLimit, IsMaxrecInWholeMillisecondsWithinTheTimersRange) {
    struct Case {
        const char* description;
        double maxrec;
        int ms;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"default 30 s", 30.0, 30000},
        {"half a second", 0.5, 500},
        {"fraction of a millisecond dropped", 1.0019, 1001},
        {"zero", 0.0, 0},
        {"below a millisecond", 0.0004, 0},
        {"negative", -5.0, 0},
        {"largest the timer takes", INT_MAX / 1000.0, INT_MAX},
        {"beyond the timer's range", 1e12, INT_MAX},
        {"infinite keeps 30 s", inf, 30000},
        {"minus infinite keeps 30 s", -inf, 30000},
        {"not a number keeps 30 s", std::nan(""), 30000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        EXPECT_EQ(RecordingLimitMs(c.maxrec), c.ms);
    }
}

class RecordPanelTest : public ::testing::Test, protected testing::PanelBench {
protected:
    std::filesystem::path File(int number) const {
        char name[16];
        std::snprintf(name, sizeof name, "RECORD%02d.wav", number);
        return directory.Path() / name;
    }
    // What the buttons let the user do: record, stop, network analysis.
    struct Buttons {
        bool record;
        bool stop;
        bool network;
        friend bool operator==(const Buttons&, const Buttons&) = default;
    };
    Buttons Enabled() const {
        return {view.IsEnabled(ctl::kRecord), view.IsEnabled(ctl::kStopRecord),
                view.IsEnabled(ctl::kModeNetwork)};
    }

    WindowTimer timer{services, ctl::kTimer1};
    double maxrec = 30.0;
    RecordPanel panel{view, services, {timer, maxrec, engine}};
};

TEST_F(RecordPanelTest, RecordOpensTheNextFileAndArmsTheLimitUntilStop) {
    std::ofstream(File(0)) << "an earlier recording";
    panel.OnRecord();
    EXPECT_TRUE(panel.Recording());
    EXPECT_TRUE(std::filesystem::exists(File(1)));
    EXPECT_EQ(Enabled(), (Buttons{false, true, false}));
    EXPECT_EQ(services.TimerPeriod(ctl::kTimer1), 30000);
    EXPECT_EQ(timer.StoredId(), ctl::kTimer1);

    panel.OnStop();
    EXPECT_FALSE(panel.Recording());
    EXPECT_FALSE(engine->Recording().open);
    EXPECT_EQ(Enabled(), (Buttons{true, false, true}));
    // The limit stays armed; its tick finds the recording stopped.
    EXPECT_EQ(services.TimerPeriod(ctl::kTimer1), 30000);
    EXPECT_TRUE(services.Messages().empty());
}

TEST_F(RecordPanelTest, LimitStopsAsTheStopButtonDoesAndTakesTheTimer) {
    maxrec = 0.5;
    panel.OnRecord();
    EXPECT_EQ(services.TimerPeriod(ctl::kTimer1), 500);
    panel.OnTimeLimit();
    EXPECT_FALSE(panel.Recording());
    EXPECT_FALSE(engine->Recording().open);
    EXPECT_EQ(Enabled(), (Buttons{true, false, true}));
    EXPECT_FALSE(services.TimerPeriod(ctl::kTimer1).has_value());
}

TEST_F(RecordPanelTest, StopBeforeTheLimitThenTheLimitChangesNothing) {
    panel.OnRecord();
    panel.OnStop();
    const auto size = std::filesystem::file_size(File(0));
    panel.OnTimeLimit();
    EXPECT_EQ(Enabled(), (Buttons{true, false, true}));
    EXPECT_FALSE(services.TimerPeriod(ctl::kTimer1).has_value());
    EXPECT_EQ(std::filesystem::file_size(File(0)), size);
    EXPECT_FALSE(std::filesystem::exists(File(1)));
    EXPECT_TRUE(services.Messages().empty());
}

TEST_F(RecordPanelTest, NoFreeNameShowsTheCannotWriteMessageAndChangesNothingElse) {
    for (int n = 0; n < 100; ++n) std::ofstream(File(n)) << n;
    view.Enable(ctl::kStopRecord, false);
    panel.OnRecord();
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages()[0].text, kCannotWrite);
    EXPECT_EQ(services.Messages()[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(panel.Recording());
    EXPECT_EQ(Enabled(), (Buttons{true, false, true}));
    EXPECT_FALSE(services.TimerPeriod(ctl::kTimer1).has_value());
}

TEST_F(RecordPanelTest, AnEndByTheEngineStopsItsRecordingButNotANewerOne) {
    struct Case {
        const char* description;
        RecordingEnd why;
        bool messageBox;  // the cannot-write message, once per end
    };
    const Case cases[] = {
        {"a block could not be written", RecordingEnd::WriteFailed, true},
        {"the file is full: the picture says so, no message box", RecordingEnd::Full, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        const size_t messagesBefore = services.Messages().size();
        const auto messages = [&] { return services.Messages().size() - messagesBefore; };
        panel.OnRecord();
        const int fileNumber = engine->Recording().fileNumber;
        panel.OnRecordingEnded(fileNumber, c.why);
        EXPECT_FALSE(panel.Recording());
        EXPECT_EQ(Enabled(), (Buttons{true, false, true}));
        ASSERT_EQ(messages(), c.messageBox ? 1u : 0u);
        if (c.messageBox) {
            EXPECT_EQ(services.Messages().back().text, kCannotWrite);
        }

        // The news of an older file's end arrives after a new recording started.
        panel.OnRecord();
        ASSERT_EQ(engine->Recording().fileNumber, fileNumber + 1);
        panel.OnRecordingEnded(fileNumber, c.why);
        EXPECT_TRUE(panel.Recording());
        EXPECT_TRUE(engine->Recording().open);
        EXPECT_EQ(Enabled(), (Buttons{false, true, false}));
        EXPECT_EQ(messages(), c.messageBox ? 2u : 0u);
        panel.OnStop();
    }
}

TEST_F(RecordPanelTest, WithoutAnEngineRecordDoesNothing) {
    engine.reset();
    panel.OnRecord();
    EXPECT_FALSE(panel.Recording());
    EXPECT_FALSE(services.TimerPeriod(ctl::kTimer1).has_value());
}

}  // namespace
}  // namespace velmora2
