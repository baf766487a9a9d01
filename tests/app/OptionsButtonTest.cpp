// Applying confirmed options to a running engine on the stepped bench: what reaches the engine
// and when (a new FFT size drops one block and the next spectrum waits for a whole record), the
// time/div handling for the new oversampling, the scale controls on a logarithmic axis, and a
// frozen single shot released by the normal trigger mode.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <mutex>
#include <vector>

#include "app/OptionsButton.h"
#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "panel/ControlIds.h"
#include "settings/SettingsFile.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/OptionsUser.h"

namespace velmora2 {
namespace {

using testing::AnswerOptions;
using testing::DeliverBlocks;
using testing::FakeDialogServices;
using testing::FakeDialogView;
using testing::OptionsUser;

// What the worker left after one block.
struct BlockSeen {
    bool dropped = false;
    int recordLength = 0;
    bool singleShotCaptured = false;
    uint64_t recordsAnalysed = 0;
};

// The main window's state around an options button, with an engine of the test's own.
class OptionsButtonTest : public ::testing::Test {
protected:
    void StartEngine(PanelMode panelMode) {
        scalePanel.SetMode(panelMode);
        engine = std::make_unique<CDSCapture>(bench, clientArea, DeviceId{}, DeviceId{}, 48000);
        engine->SetBlockObserver([this](const CDSCapture::ProcessedBlock& block) {
            const std::lock_guard lock(seenMutex);
            seen.push_back({block.dropped, block.samples.RecordLength(),
                            block.state.singleShotCaptured, engine->RecordsAnalysed()});
        });
        int maxRate = 0;
        ASSERT_EQ(engine->Start(maxRate), kOk);
        settings.deviceMaxRate = maxRate;
        ApplySettingsToEngine(settings, *engine);
        engine->SetMode(panelMode == PanelMode::Spectrum ? kModeSpectrum : kModeScope);
        view.SetSpinRange(ctl::kTimeDivSpin, 0, 6);
        view.SetSpinPosition(ctl::kTimeDivSpin, 4);
        gates.Set(ctl::kTimeDivSpin);
    }
    void TearDown() override { StopAndRelease(engine); }

    // Presses the options button; the user does the actions on the dialog.
    void Options(std::function<void(OptionsUser&)> actions) {
        AnswerOptions(services, std::move(actions));
        button.OnOptions();
    }
    std::vector<BlockSeen> SeenSince(size_t first) {
        const std::lock_guard lock(seenMutex);
        return {seen.begin() + static_cast<std::ptrdiff_t>(first), seen.end()};
    }
    size_t BlocksSeen() {
        const std::lock_guard lock(seenMutex);
        return seen.size();
    }

    SimBench bench;
    DrawCallLogTarget clientArea;
    FakeDialogView view;
    FakeDialogServices services;
    SettingsRecord settings;
    DeviceTable devices;
    int32_t lastOptionsPage = 1;
    CursorPositions cursors{};
    InitGates gates;
    std::unique_ptr<CDSCapture> engine;
    const std::filesystem::path programDirectory = "/nonexistent-velmora2-program";
    int saves = 0;
    std::mutex seenMutex;
    std::vector<BlockSeen> seen;

    ScalePanel scalePanel{
        view, {settings.scales, cursors, settings.osr, settings.activeSampleRate, gates, engine}};
    OptionsButton button{bench,
                         view,
                         services,
                         {settings, devices, lastOptionsPage, scalePanel, programDirectory, engine,
                          [this] { ++saves; }}};
};

TEST_F(OptionsButtonTest, ANewFftSizeDropsOneBlockAndTheNextSpectrumWaitsForAWholeRecord) {
    StartEngine(PanelMode::Spectrum);
    ASSERT_TRUE(DeliverBlocks(bench, *engine, 3));
    const uint64_t analysedBefore = engine->RecordsAnalysed();
    EXPECT_EQ(analysedBefore, 3u) << "2048 points: every block completes a record";

    Options([](OptionsUser& user) {
        user.Choose(opt::kFftPointsList, 5);  // 8192
        user.PressOk();
    });
    EXPECT_EQ(settings.fftn, 8192);
    const size_t first = BlocksSeen();
    ASSERT_TRUE(DeliverBlocks(bench, *engine, 5));
    const std::vector<BlockSeen> after = SeenSince(first);
    ASSERT_EQ(after.size(), 5u);
    EXPECT_TRUE(after[0].dropped);
    EXPECT_EQ(after[0].recordLength, 8192);
    for (int block = 1; block <= 3; ++block) {
        EXPECT_FALSE(after[block].dropped);
        EXPECT_EQ(after[block].recordsAnalysed, analysedBefore) << "block " << block;
    }
    EXPECT_EQ(after[4].recordsAnalysed, analysedBefore + 1) << "8192 points = four blocks";
}

TEST_F(OptionsButtonTest, TimeDivFollowsTheNewOversamplingOutsideTheSpectrum) {
    const struct {
        const char* description;
        PanelMode mode;
        int osrRadio;
        const char* label;
        int32_t DisplayScales::*span;
        int32_t value;
    } cases[] = {
        {"oscilloscope, 2x", PanelMode::Wave, opt::kOsr2, "500us/d", &DisplayScales::timeSpan, 480},
        {"oscilloscope, 4x", PanelMode::Wave, opt::kOsr4, "200us/d", &DisplayScales::timeSpan, 384},
        {"spectrum: the Hz/div step of the spin", PanelMode::Spectrum, opt::kOsr2, "2kHz/d",
         &DisplayScales::freqSpan, 20000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        settings = SettingsRecord{};
        StartEngine(c.mode);
        Options([&](OptionsUser& user) {
            user.Click(c.osrRadio);
            user.PressOk();
        });
        EXPECT_EQ(view.Text(ctl::kTimeDivLabel), c.label);
        EXPECT_EQ(settings.scales.*c.span, c.value);
        EXPECT_EQ(engine->Settings().scales.*c.span, c.value);
        EXPECT_EQ(engine->Settings().oversampling, settings.osr);
        StopAndRelease(engine);
    }
}

TEST_F(OptionsButtonTest, ALogAxisDisablesTheLinearScaleControlsOnlyInTheSpectrum) {
    const struct {
        const char* description;
        PanelMode mode;
        bool enabledBefore;
        bool logAxis;
        bool enabledAfter;
    } cases[] = {
        {"spectrum, LOG", PanelMode::Spectrum, true, true, false},
        {"spectrum, linear", PanelMode::Spectrum, false, false, true},
        {"oscilloscope, LOG: left as they are", PanelMode::Wave, true, true, true},
        {"oscilloscope, linear: left as they are", PanelMode::Wave, false, false, false},
    };
    const int controls[] = {ctl::kTimeDivLabel, ctl::kTimeDivSpin, ctl::kHorizontalPositionSpin};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        settings = SettingsRecord{};
        StartEngine(c.mode);
        for (int id : controls) view.Enable(id, c.enabledBefore);
        Options([&](OptionsUser& user) {
            user.Click(c.logAxis ? opt::kAxisLog : opt::kAxisLinear);
            user.PressOk();
        });
        for (int id : controls) EXPECT_EQ(view.IsEnabled(id), c.enabledAfter) << id;
        EXPECT_EQ(engine->Settings().logAxis, c.logAxis);
        StopAndRelease(engine);
    }
}

TEST_F(OptionsButtonTest, TheNormalTriggerModeReleasesAFrozenSingleShot) {
    settings.trigModeNormal = false;
    bench.SetInputSignal([](int64_t frame, double& left, double& right) {
        left = right = 8000.0 * std::sin(2.0 * M_PI * 1000.0 * static_cast<double>(frame) / 48000);
    });
    StartEngine(PanelMode::Wave);
    engine->SetTriggerSource(1);
    ASSERT_TRUE(DeliverBlocks(bench, *engine, 2));
    ASSERT_TRUE(SeenSince(BlocksSeen() - 1)[0].singleShotCaptured);

    Options([](OptionsUser& user) {
        user.Click(opt::kModeNormal);
        user.PressOk();
    });
    const size_t first = BlocksSeen();
    ASSERT_TRUE(DeliverBlocks(bench, *engine, 1));
    EXPECT_FALSE(SeenSince(first)[0].singleShotCaptured);
    EXPECT_TRUE(engine->Settings().triggerRepeat);
}

TEST_F(OptionsButtonTest, TheButtonIsDisabledWhileTheDialogIsOpen) {
    StartEngine(PanelMode::Wave);
    bool enabledWhileOpen = true;
    Options([&](OptionsUser& user) {
        enabledWhileOpen = view.IsEnabled(ctl::kOptions);
        user.Click(kIdCancel);
    });
    EXPECT_FALSE(enabledWhileOpen);
    EXPECT_TRUE(view.IsEnabled(ctl::kOptions));
}

}  // namespace
}  // namespace velmora2
