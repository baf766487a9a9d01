// Lost input is never silent: blocks dropped by an overflowing queue show on the picture of every
// mode, and the worker writes the count to standard error at most once a second.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "display/DrawCallLog.h"
#include "engine/DataLossReport.h"
#include "engine/WavRecorder.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/QueueOverflow.h"

namespace velmora2 {
namespace {

using namespace std::chrono_literals;
using testing::QueueOverflow;
using testing::WaitForBlocks;

bool ShowsText(const DrawCallLogTarget::Copy& copy, const std::string& text) {
    return std::any_of(copy.calls.begin(), copy.calls.end(), [&](const DrawCall& call) {
        return call.kind == DrawCall::Kind::Text && call.text == text;
    });
}

bool ShowsDataLoss(const DrawCallLogTarget::Copy& copy) {
    return std::any_of(copy.calls.begin(), copy.calls.end(), [](const DrawCall& call) {
        return call.kind == DrawCall::Kind::Text && call.text.starts_with("Data lost");
    });
}

struct ModeCase {
    const char* description;
    int32_t mode;
};

void PrintTo(const ModeCase& c, std::ostream* out) {
    *out << c.description;
}

class DataLossPicture : public ::testing::TestWithParam<ModeCase> {};

TEST_P(DataLossPicture, QueueOverflowShowsTheCountOnTheNextPictures) {
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    engine.SetMode(GetParam().mode);
    QueueOverflow overflow(bench, engine);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_TRUE(overflow.HoldWorker());
    const std::vector<DrawCallLogTarget::Copy> beforeLoss = window.Copies();

    // The worker is stuck in its second block: the queue fills, and 7 blocks more are lost.
    ASSERT_TRUE(overflow.Overflow(7));
    ASSERT_EQ(bench.Step(1), 1);  // shows the picture of the last queued block
    ASSERT_TRUE(WaitForBlocks(engine, 3 + BlockQueue::kDefaultCapacity));
    ASSERT_TRUE(engine.Stop());

    EXPECT_EQ(engine.BlocksDropped(), 7u);
    const std::vector<DrawCallLogTarget::Copy> copies = window.Copies();
    ASSERT_FALSE(copies.empty());
    EXPECT_TRUE(ShowsText(copies.back(), "Data lost: 7 blocks"));
    // The pictures shown before the loss do not claim one.
    ASSERT_FALSE(beforeLoss.empty());
    for (const DrawCallLogTarget::Copy& copy : beforeLoss) EXPECT_FALSE(ShowsDataLoss(copy));
}

INSTANTIATE_TEST_SUITE_P(EveryDrawingMode, DataLossPicture,
                         ::testing::Values(ModeCase{"oscilloscope", kModeScope},
                                           ModeCase{"spectrum, one block per record",
                                                    kModeSpectrum},
                                           ModeCase{"Lissajous", kModeLissajous}),
                         [](const auto& info) {
                             std::string name = info.param.description;
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); },
                                 '_');
                             return name;
                         });

TEST(DataLossRecording, BlocksLostWhileRecordingAreCountedInItsEndLine) {
    const std::filesystem::path dir =
        std::filesystem::path(::testing::TempDir()) / "velmora2-loss-recording";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000, FileSearchPlaces{}, dir);
    QueueOverflow overflow(bench, engine);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_GT(engine.StartRecording(), 0);
    ASSERT_TRUE(overflow.HoldWorker());
    ASSERT_TRUE(overflow.Overflow(4));

    EXPECT_EQ(engine.BlocksLostSinceRecordingStart(), 4u);
    ::testing::internal::CaptureStderr();
    engine.StopRecording();
    const std::string written = ::testing::internal::GetCapturedStderr();
    const std::filesystem::path file = dir / "RECORD00.wav";
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f s",
                  static_cast<double>(std::filesystem::file_size(file) - 46) / (48000.0 * 4));
    EXPECT_EQ(written, "recorder: " + file.string() + " finished (stopped), " + seconds +
                           "; 4 blocks of input lost while recording, missing from the file\n");
    ASSERT_TRUE(engine.Stop());
    std::filesystem::remove_all(dir);
}

TEST(DataLossRecording, EndLineNamesTheFileWhyItEndedItsLengthAndTheLoss) {
    struct Case {
        const char* description;
        double seconds;
        const char* reason;
        uint64_t lost;
        const char* line;
    };
    const Case cases[] = {
        {"stopped, nothing lost", 1.5, "stopped", 0,
         "recorder: /data/RECORD07.wav finished (stopped), 1.50 s\n"},
        {"one block", 0.0, "the sound device stopped", 1,
         "recorder: /data/RECORD07.wav finished (the sound device stopped), 0.00 s; 1 block of "
         "input lost while recording, missing from the file\n"},
        {"many blocks", 600.25, "no space left on device", 1234,
         "recorder: /data/RECORD07.wav finished (no space left on device), 600.25 s; 1234 blocks "
         "of input lost while recording, missing from the file\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        EXPECT_EQ(RecordingEndLine({"/data/RECORD07.wav", c.seconds, c.reason}, c.lost), c.line);
    }
}

TEST(DataLossReport, WritesAtOnceThenAtMostOncePerSecondWhileTheCountGrows) {
    struct Step {
        const char* description;
        uint64_t dropped;
        int atMs;
        std::optional<uint64_t> written;
    };
    const Step steps[] = {
        {"nothing lost yet", 0, 0, std::nullopt},
        {"the first loss is written at once", 3, 100, 3},
        {"more loss within the second waits", 5, 600, std::nullopt},
        {"still within the second", 9, 1099, std::nullopt},
        {"a second after the last line", 9, 1100, 9},
        {"no growth, no line", 9, 5000, std::nullopt},
        {"growth after a quiet spell is written at once", 10, 5001, 10},
    };
    DataLossReport report;
    const auto origin = DataLossReport::Clock::time_point{};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.description);
        EXPECT_EQ(report.Due(step.dropped, origin + std::chrono::milliseconds(step.atMs)),
                  step.written);
    }
}

}  // namespace
}  // namespace velmora2
