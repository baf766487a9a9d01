// The generator switch and the volume spin as the user works them: the file look-up, the
// missing-file warning, what the engine is told and the label shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "dialogs/CDlgWarnWav.h"
#include "panel/ControlIds.h"
#include "panel/GeneratorPanel.h"
#include "tests/engine/WavCrafting.h"
#include "tests/panel/PanelBench.h"

namespace velmora2 {
namespace {

class GeneratorPanelTest : public ::testing::Test, protected testing::PanelBench {
protected:
    void SetUp() override {
        // A running engine: only one with an output device can load a generator file.
        int deviceMaxRate = 0;
        ASSERT_EQ(engine->Start(deviceMaxRate), kOk);
        view.SetSpinPosition(ctl::kVolumeSpin, 6);
        gates.Set(ctl::kVolumeSpin);
        panel.PushLabel();
    }
    void PutFile(const std::string& name) {
        testing::WriteFileBytes(programDirectory / name, testing::GoodWav());
    }
    // A click on the check box toggles it before the handler runs, as on the real panel.
    void ClickSwitch() {
        view.SetCheck(ctl::kGeneratorOn, !view.IsChecked(ctl::kGeneratorOn));
        panel.OnGeneratorSwitch();
    }
    void MoveVolume(int position) {
        view.SetSpinPosition(ctl::kVolumeSpin, position);
        EXPECT_TRUE(panel.OnSpinChanged(ctl::kVolumeSpin));
    }
    int Warnings() const {
        int count = 0;
        for (const auto& run : services.ModalRuns())
            count += run.templateId == CDlgWarnWav::kTemplateId ? 1 : 0;
        return count;
    }
    std::filesystem::path programDirectory = directory.Path();
    // The right trace is off: the switch must send the traces as they are.
    OutputSwitches outputs = [this] {
        OutputSwitches switches{view, engine};
        switches.ShowTrace(1, false);
        return switches;
    }();
    std::string playwav = "sin1k.wav";
    GeneratorSignal signal;
    InitGates gates;
    GeneratorPanel panel{
        view, services, {outputs, playwav, signal, programDirectory, gates, engine}};
};

TEST_F(GeneratorPanelTest, VolumeSpinFollowsItsTable) {
    struct Case {
        const char* description;
        int position;
        const char* label;
        int32_t volume;
    };
    const Case cases[] = {
        {"lowest", 0, "-12dB", -1200},
        {"start position", 6, "-6dB", -600},
        {"one below the top", 11, "-1dB", -100},
        {"top", 12, "0dB", 0},
        {"back down", 3, "-9dB", -900},
        {"outside the table keeps the last row", 13, "-9dB", -900},
        {"below the table too", -1, "-9dB", -900},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        MoveVolume(c.position);
        EXPECT_EQ(view.Text(ctl::kVolumeLabel), c.label);
        EXPECT_EQ(panel.Volume(), c.volume);
        EXPECT_EQ(Engine().generatorVolume, c.volume);
    }
}

TEST_F(GeneratorPanelTest, VolumeSpinIsIgnoredUntilItsGateIsSet) {
    InitGates closed;
    GeneratorPanel early{
        view, services, {outputs, playwav, signal, programDirectory, closed, engine}};
    view.SetSpinPosition(ctl::kVolumeSpin, 12);
    EXPECT_TRUE(early.OnSpinChanged(ctl::kVolumeSpin));
    EXPECT_EQ(early.Volume(), -600);
    EXPECT_EQ(view.Text(ctl::kVolumeLabel), "-6dB");
    EXPECT_FALSE(early.OnSpinChanged(ctl::kLeftScaleSpin));
}

TEST_F(GeneratorPanelTest, SwitchTurnsThePlayingFileOnAndOff) {
    PutFile("sin1k.wav");
    ClickSwitch();
    EXPECT_TRUE(outputs.GeneratorOn());
    EXPECT_TRUE(view.IsChecked(ctl::kGeneratorOn));
    EXPECT_TRUE(Engine().generatorOn);
    EXPECT_EQ(Engine().generatorFile, "sin1k.wav");
    EXPECT_TRUE(Engine().leftShown);
    EXPECT_FALSE(Engine().rightShown);

    ClickSwitch();
    EXPECT_FALSE(outputs.GeneratorOn());
    EXPECT_FALSE(view.IsChecked(ctl::kGeneratorOn));
    EXPECT_FALSE(Engine().generatorOn);
    EXPECT_EQ(Warnings(), 0);
    EXPECT_TRUE(services.Messages().empty());
}

// The generator's own signal needs no file; one it cannot make at the rate leaves it off.
TEST_F(GeneratorPanelTest, TheOwnSignalPlaysWithoutAFileOrSaysWhyNot) {
    signal.kind = SignalKind::Sine;
    signal.frequencyHz = 437.0;
    ClickSwitch();
    EXPECT_TRUE(outputs.GeneratorOn());
    EXPECT_TRUE(Engine().generatorOn);
    EXPECT_EQ(Warnings(), 0);
    EXPECT_TRUE(services.Messages().empty());
    ClickSwitch();
    EXPECT_FALSE(outputs.GeneratorOn());

    signal.frequencyHz = 30000.0;  // above 0.49 of 48000 Hz
    ClickSwitch();
    EXPECT_FALSE(outputs.GeneratorOn());
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages().back().text,
              "The generator's signal cannot be played: it cannot be made at this sample rate.");
}

TEST_F(GeneratorPanelTest, NameWithoutExtensionIsFoundWithWav) {
    playwav = "sin100";
    PutFile("sin100.wav");
    ClickSwitch();
    EXPECT_EQ(Warnings(), 0);
    EXPECT_TRUE(Engine().generatorOn);
    EXPECT_EQ(Engine().generatorFile, "sin100");
}

TEST_F(GeneratorPanelTest, MissingFileWarnsWithTheNameAsStoredAndLeavesTheGeneratorOff) {
    playwav = "nosuch";
    ClickSwitch();
    ASSERT_EQ(Warnings(), 1);
    EXPECT_EQ(services.ModalRuns()[0].view->Text(CDlgWarnWav::kFileNameText), "nosuch");
    EXPECT_FALSE(outputs.GeneratorOn());
    EXPECT_FALSE(view.IsChecked(ctl::kGeneratorOn));
    EXPECT_FALSE(Engine().generatorOn);
}

TEST_F(GeneratorPanelTest, FileGoneWhilePlayingLeavesTheBoxShowingTheGeneratorStillOn) {
    PutFile("sin1k.wav");
    ClickSwitch();
    std::filesystem::remove(programDirectory / "sin1k.wav");
    ClickSwitch();
    EXPECT_EQ(Warnings(), 1);
    EXPECT_TRUE(outputs.GeneratorOn());
    EXPECT_TRUE(view.IsChecked(ctl::kGeneratorOn));
    EXPECT_TRUE(Engine().generatorOn);
}

TEST_F(GeneratorPanelTest, EveryClickLoadsTheFileAgainAndARateTheDeviceLacksIsReportedWhenOn) {
    SimBenchOptions options;
    options.maxOutputRate = 48000;
    SimBench slowOutput(options);
    engine = std::make_unique<CDSCapture>(slowOutput, window, DeviceId{}, DeviceId{}, 48000,
                                          FileSearchPlaces{programDirectory, {}, {}, {}});
    int deviceMaxRate = 0;
    ASSERT_EQ(engine->Start(deviceMaxRate), kOk);
    const auto file = programDirectory / "sin1k.wav";

    testing::WriteFileBytes(file, testing::GoodWav(96000, 4096));
    ClickSwitch();
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages()[0].text,
              "再生ﾃﾞﾊﾞｲｽでｻﾎﾟｰﾄされていない \r\nｻﾝﾌﾟﾘﾝｸﾞ周波数(96000Hz)です。 \r\nWAVEﾌｧｲﾙ"
              "を変更してください。");
    EXPECT_EQ(services.Messages()[0].title, "Velmora2 Error Message");
    EXPECT_EQ(services.Messages()[0].icon, MessageIcon::Stop);
    // The generator counts as on and the outputs are set all the same.
    EXPECT_TRUE(outputs.GeneratorOn());
    EXPECT_TRUE(Engine().generatorOn);

    testing::WriteFileBytes(file, testing::GoodWav(48000, 4096));
    ClickSwitch();  // off: loaded again, and a refusal would not be reported
    EXPECT_FALSE(Engine().generatorOn);
    ClickSwitch();  // on with the file the device can play
    EXPECT_EQ(services.Messages().size(), 1u);

    testing::WriteFileBytes(file, testing::GoodWav(96000, 4096));
    ClickSwitch();
    ClickSwitch();  // on again: the changed file is read anew
    EXPECT_EQ(services.Messages().size(), 2u);
    EXPECT_TRUE(engine->Stop());
}

TEST_F(GeneratorPanelTest, AFileThatCannotBePlayedLeavesTheGeneratorOffAndSaysWhatIsWrong) {
    struct Case {
        const char* description;
        testing::Bytes file;
        const char* fault;
    };
    const char* const kNotPcm = "is not 8- or 16-bit PCM with one or two channels";
    const Case cases[] = {
        {"32-bit float",
         testing::Riff({testing::Chunk("fmt ", testing::FormatBody({.tag = 3, .bits = 32})),
                        testing::Chunk("data", testing::Samples(64))}),
         kNotPcm},
        {"24-bit PCM",
         testing::Riff({testing::Chunk("fmt ", testing::FormatBody({.bits = 24})),
                        testing::Chunk("data", testing::Samples(60))}),
         kNotPcm},
        {"random bytes", testing::Samples(300, 99), "is not a RIFF/WAVE file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        testing::WriteFileBytes(programDirectory / "sin1k.wav", c.file);
        const size_t before = services.Messages().size();
        ClickSwitch();
        EXPECT_FALSE(outputs.GeneratorOn());
        EXPECT_FALSE(view.IsChecked(ctl::kGeneratorOn));
        EXPECT_FALSE(Engine().generatorOn);
        EXPECT_FALSE(engine->GeneratorPlaying());
        ASSERT_EQ(services.Messages().size(), before + 1);
        const testing::RecordedMessage& message = services.Messages().back();
        EXPECT_EQ(message.text, std::string("sin1k.wav cannot be played: it ") + c.fault + ".");
        EXPECT_EQ(message.title, "Velmora2");
        EXPECT_EQ(message.icon, MessageIcon::Exclamation);
        EXPECT_EQ(Warnings(), 0);
    }
}

}  // namespace
}  // namespace velmora2
