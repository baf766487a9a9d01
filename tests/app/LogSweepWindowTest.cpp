// Network analysis with the log sweep chosen in the settings, in the window on the stepped bench:
// its progress on the spectrum while it captures, then its curve in the network chart, its points
// in "Save data..." and its impulse response in "Save impulse response...".
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <string>

#include "app/ExportActions.h"
#include "panel/ControlIds.h"
#include "tests/app/SweepBench.h"
#include "tests/support/FileText.h"
#include "wav/WavReader.h"

namespace velmora2 {
namespace {

class LogSweepWindow : public testing::SweepBench {
protected:
    // Texts and red lines of the last picture copied to the window.
    std::vector<std::string> LastTexts() const {
        std::vector<std::string> texts;
        const std::vector<DrawCallLogTarget::Copy> copies = clientArea.Copies();
        for (const DrawCall& call : copies.back().calls)
            if (call.kind == DrawCall::Kind::Text) texts.push_back(call.text);
        return texts;
    }
    int LastLineSegments() const {
        const std::vector<DrawCallLogTarget::Copy> copies = clientArea.Copies();
        const std::vector<DrawCall>& calls = copies.back().calls;
        return static_cast<int>(std::count_if(calls.begin(), calls.end(), [](const DrawCall& c) {
            return c.kind == DrawCall::Kind::LineTo;
        }));
    }
};

TEST_F(LogSweepWindow, ShowsItsProgressThenItsCurveAndSavesItsPointsAndImpulse) {
    SettingsRecord settings;
    settings.network.logSweep = true;
    settings.network.seconds = 1.5;
    Start(settings);
    window->OnCommand(ctl::kModeNetwork);
    for (int i = 0; i < 8; ++i) Tick();
    const std::vector<std::string> during = LastTexts();
    EXPECT_TRUE(std::any_of(during.begin(), during.end(), [](const std::string& text) {
        return text.starts_with("Log sweep: ") && text.ends_with("% captured. Wait for a while...");
    })) << ::testing::PrintToString(during);

    TickUntilStopped(600);
    ASSERT_FALSE(services.TimerPeriod(CTarvikDlg::kTimer1)) << "the sweep did not end";
    CDSCapture& engine = *window->MainEngine();
    ASSERT_TRUE(engine.ShownLogSweep());
    ASSERT_TRUE(testing::DeliverBlocks(*bench, engine, 3));
    // The chart joins the hundreds of points, far more than a stepped sweep's 45.
    EXPECT_GT(LastLineSegments(), 2 * 400);

    ExportActions exports(services, [&engine] { return &engine; });
    const auto save = [&](auto&& action) {
        auto done = std::async(std::launch::async, action);
        while (done.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
            testing::DeliverBlocks(*bench, engine, 1);
        return done.get();
    };
    ASSERT_TRUE(save([&] { return exports.SaveData(directory / "network"); }));
    const std::string csv = testing::ReadFile(directory / "network.csv");
    EXPECT_TRUE(
        csv.starts_with("frequency_Hz,gain_dB,phase_deg,phase_delay_us,group_delay_us,"
                        "h2_dB,h3_dB,h4_dB,h5_dB\n"));
    EXPECT_EQ(static_cast<size_t>(std::count(csv.begin(), csv.end(), '\n')),
              engine.ShownLogSweep()->points.size() + 1);

    ASSERT_TRUE(exports.SaveImpulse(directory / "impulse"));
    const WavContents impulse = ReadWavFile(directory / "impulse.wav", WavSamples::ForMeasuring);
    EXPECT_EQ(impulse.fault, WavFault::None);
    EXPECT_EQ(impulse.data.size(), engine.ShownLogSweep()->impulse.size() * 4);

    // A stepped sweep afterwards shows its own points again, and has no impulse response.
    window->OnCommand(ctl::kModeScope);
    engine.ShowLogSweep(nullptr);
    EXPECT_FALSE(exports.SaveImpulse(directory / "none"));
    EXPECT_EQ(services.Messages().back().text, "保存するインパルス応答がありません。");
}

}  // namespace
}  // namespace velmora2
