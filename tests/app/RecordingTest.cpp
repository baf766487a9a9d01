// Recording from the main window on the stepped simulated bench: the limit on timer 1 ends it
// with a complete file, a block that cannot be written is reported on the window's thread, and a
// full file brings the panel back to idle with the picture saying why.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/CTarvikDlg.h"
#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "panel/ControlIds.h"
#include "settings/SettingsFile.h"
#include "tests/engine/FailingByteFile.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/TempDirectory.h"
#include "wav/ByteFile.h"

namespace velmora2 {
namespace {

constexpr uint64_t kHeaderBytes = 46;
constexpr uint64_t kBlockBytes = 8192;

class Recording : public ::testing::Test {
protected:
    void Start(double maxrec) {
        SettingsRecord settings;
        settings.maxrec = maxrec;
        ASSERT_EQ(SaveSettingsFile(directory.Path(), settings), SettingsSave::Saved);
        window = std::make_unique<CTarvikDlg>(bench, clientArea, view, services, directory.Path());
        window->OnInitDialog();
        ASSERT_NE(window->MainEngine(), nullptr);
    }
    void TearDown() override {
        if (window) window->OnClose();
    }
    bool Deliver(int blocks) {
        return testing::DeliverBlocks(bench, *window->MainEngine(), blocks);
    }
    std::filesystem::path File(int number) const {
        return directory / ("RECORD0" + std::to_string(number) + ".wav");
    }
    // The texts of the last picture the window was given.
    std::vector<std::string> PictureTexts() const {
        std::vector<std::string> texts;
        const std::vector<DrawCallLogTarget::Copy> copies = clientArea.Copies();
        if (copies.empty()) return texts;
        for (const DrawCall& call : copies.back().calls)
            if (call.kind == DrawCall::Kind::Text) texts.push_back(call.text);
        return texts;
    }
    bool PictureShows(const std::string& text) const {
        const std::vector<std::string> texts = PictureTexts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    bool IdleButtons() const {
        return view.IsEnabled(ctl::kRecord) && !view.IsEnabled(ctl::kStopRecord) &&
               view.IsEnabled(ctl::kModeNetwork);
    }

    testing::TempDirectory directory;
    SimBench bench;
    DrawCallLogTarget clientArea;
    testing::FakeDialogView view;
    testing::FakeDialogServices services;
    std::unique_ptr<CTarvikDlg> window;
};

TEST_F(Recording, HalfSecondLimitEndsTheRecordingWithACompleteFile) {
    Start(0.5);
    window->OnCommand(ctl::kRecord);
    EXPECT_EQ(services.TimerPeriod(CTarvikDlg::kTimer1), 500);
    ASSERT_TRUE(Deliver(5));

    window->OnTimer(CTarvikDlg::kTimer1);
    EXPECT_FALSE(services.TimerPeriod(CTarvikDlg::kTimer1).has_value());
    EXPECT_TRUE(IdleButtons());
    EXPECT_FALSE(window->MainEngine()->Recording().open);
    ASSERT_TRUE(Deliver(2));  // blocks after the limit are not recorded
    EXPECT_EQ(std::filesystem::file_size(File(0)), kHeaderBytes + 5 * kBlockBytes);
}

TEST_F(Recording, StopThenTheLimitLeavesOneFileAndAnIdlePanel) {
    Start(30.0);
    window->OnCommand(ctl::kRecord);
    ASSERT_TRUE(Deliver(3));
    window->OnCommand(ctl::kStopRecord);
    EXPECT_TRUE(IdleButtons());
    window->OnTimer(CTarvikDlg::kTimer1);
    EXPECT_TRUE(IdleButtons());
    EXPECT_FALSE(services.TimerPeriod(CTarvikDlg::kTimer1).has_value());
    EXPECT_EQ(std::filesystem::file_size(File(0)), kHeaderBytes + 3 * kBlockBytes);
    EXPECT_FALSE(std::filesystem::exists(File(1)));
    EXPECT_TRUE(services.Messages().empty());
}

TEST_F(Recording, FailedBlockWriteIsReportedOnTheWindowsThreadAndStopsThePanel) {
    Start(30.0);
    window->MainEngine()->RecorderForTests().SetFileOpener([](const std::filesystem::path& path) {
        return std::make_unique<testing::FailingByteFile>(CreateByteFile(path, CreateMode::NewOnly),
                                                          3);
    });
    window->OnCommand(ctl::kRecord);
    ASSERT_TRUE(Deliver(5));
    // Nothing reaches the panel from the worker directly.
    EXPECT_FALSE(view.IsEnabled(ctl::kRecord));
    EXPECT_TRUE(services.Messages().empty());

    EXPECT_EQ(services.RunPosted(), 1);
    EXPECT_TRUE(IdleButtons());
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages()[0].text,
              "RECORDXX.WAVに書き込めません。\r\n\r\nﾌｧｲﾙ使用中か書込禁止の可能性があります。");
    EXPECT_EQ(std::filesystem::file_size(File(0)), kHeaderBytes + 3 * kBlockBytes);
}

TEST_F(Recording, AFullFileStopsThePanelAndThePictureSaysWhy) {
    Start(30.0);
    // A limit of three blocks stands for the 4 GiB a WAV file can hold.
    window->MainEngine()->RecorderForTests().SetDataLimit(3 * kBlockBytes);
    window->OnCommand(ctl::kRecord);
    ASSERT_TRUE(Deliver(2));
    EXPECT_TRUE(PictureShows("Recording to RECORD00.wav. Click TEISHI to suspend."));
    ASSERT_TRUE(Deliver(3));
    EXPECT_FALSE(window->MainEngine()->Recording().open);
    // The worker's news reaches the panel on the window's thread.
    EXPECT_FALSE(IdleButtons());
    EXPECT_EQ(services.RunPosted(), 1);
    EXPECT_TRUE(IdleButtons());
    EXPECT_TRUE(services.Messages().empty());
    EXPECT_EQ(std::filesystem::file_size(File(0)), kHeaderBytes + 3 * kBlockBytes);

    const std::string full = "Recording stopped: RECORD00.wav is full (4 GiB).";
    ASSERT_TRUE(Deliver(2));
    EXPECT_TRUE(PictureShows(full));
    EXPECT_FALSE(PictureShows("Recording to RECORD00.wav. Click TEISHI to suspend."));

    // The time limit that fires later changes nothing; the next recording clears the notice.
    window->OnTimer(CTarvikDlg::kTimer1);
    EXPECT_TRUE(IdleButtons());
    window->OnCommand(ctl::kRecord);
    ASSERT_TRUE(Deliver(2));
    EXPECT_TRUE(PictureShows("Recording to RECORD01.wav. Click TEISHI to suspend."));
    EXPECT_FALSE(PictureShows(full));
    window->OnCommand(ctl::kStopRecord);
    ASSERT_TRUE(Deliver(2));
    EXPECT_FALSE(PictureShows(full));
    EXPECT_TRUE(services.Messages().empty());
}

}  // namespace
}  // namespace velmora2
