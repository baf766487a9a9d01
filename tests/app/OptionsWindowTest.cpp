// The options button of the main window end to end on the simulated bench: confirming re-applies
// every setting and brings FSAMPLE back to the active rate, Cancel changes nothing at all, the
// save-settings button writes the settings file, and a changed generator file is loaded (a change
// of letter case counts), with the warning or message when it cannot be.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/CTarvikDlg.h"
#include "audio/sim/SimBench.h"
#include "dialogs/CDlgWarnWav.h"
#include "display/DrawCallLog.h"
#include "panel/ControlIds.h"
#include "settings/SettingsFile.h"
#include "tests/engine/WavCrafting.h"
#include "tests/support/MainWindowBench.h"
#include "tests/support/OptionsUser.h"

namespace velmora2 {
namespace {

using testing::AnswerOptions;
using testing::OptionsUser;

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class OptionsWindow : public testing::MainWindowBench {
protected:
    void Options(std::function<void(OptionsUser&)> actions) {
        AnswerOptions(services, std::move(actions));
        window->OnCommand(ctl::kOptions);
    }
    RuntimeState Engine() { return window->MainEngine()->Settings(); }
    std::string SettingsFile() const { return ReadText(directory / kSettingsFileName); }
};

SettingsRecord Unusual() {
    SettingsRecord s;
    s.scales.cal = 2.5;
    s.osr = 2;
    s.difunitSec = false;
    s.trigEdgeRising = false;
    s.tadj = -3;
    s.adcRange = true;
    s.fftn = 4096;
    s.xlog = true;
    s.winfunc = "ham";
    s.thd = false;
    s.hpf = true;
    s.scales.specCal = -1.5;
    s.phaseDisplay = false;
    s.scales.gainRange = -80;
    s.scales.phaseRange = "-90 to 90";
    s.aveenb = true;
    s.maxaven = 20;
    s.wavn = 30;
    s.slowSweep = true;
    return s;
}

TEST_F(OptionsWindow, OkWithoutChangesReappliesEverySettingAndTakesTheActiveRate) {
    SettingsRecord file = Unusual();
    file.fsample = 96000;
    SimBenchOptions lowOutput;
    lowOutput.maxOutputRate = 48000;
    Start(file, lowOutput);
    ASSERT_EQ(window->Settings().activeSampleRate, 96000);
    ASSERT_EQ(window->Settings().fsample, 48000) << "lowered by the start-up check";

    // Disturb the engine's copy of everything the options hand over.
    CDSCapture& engine = *window->MainEngine();
    engine.SetWindowFunction("rect");
    engine.SetOversampling(1);
    engine.SetChannelDelay(0);
    engine.SetLogAxis(false);
    engine.SetMeasurements(true, true, true, true, false);
    engine.SetAveraging(false, 50);
    engine.SetDelayDisplay(true);
    engine.SetSweepPoints(18);
    engine.SetSlowSweep(false);
    engine.SetAdcRange(false);
    engine.SetTriggerMode(true, true);
    engine.SetDifferenceUnit(true);
    engine.ApplyDisplayScales(DisplayScales{});

    Options([](OptionsUser& user) { user.PressOk(); });

    const RuntimeState s = Engine();
    EXPECT_EQ(s.windowFunction, "ham");
    EXPECT_EQ(s.oversampling, 2);
    EXPECT_EQ(s.channelDelay, -3);
    EXPECT_TRUE(s.logAxis);
    EXPECT_EQ(s.measurements, (MeasurementSwitches{true, false, true, true, true}));
    EXPECT_TRUE(s.averagingOn);
    EXPECT_EQ(s.averagingLength, 20);
    EXPECT_FALSE(s.delayDisplay);
    EXPECT_EQ(s.sweepPoints, 30);
    EXPECT_TRUE(s.slowSweep);
    EXPECT_TRUE(s.adcRangeShown);
    EXPECT_FALSE(s.triggerRising);
    EXPECT_FALSE(s.differenceUnit);
    EXPECT_EQ(s.scales.cal, 2.5);
    EXPECT_EQ(s.scales.specCal, -1.5);
    EXPECT_EQ(s.scales.gainRange, -80.0);
    EXPECT_EQ(s.scales.phaseRange, "-90 to 90");
    EXPECT_EQ(window->Settings().sweepPeriodMs, 2000);
    EXPECT_EQ(window->Settings().fsample, 96000) << "FSAMPLE becomes the active rate";
    EXPECT_EQ(window->Settings().activeSampleRate, 96000);
}

TEST_F(OptionsWindow, CancelChangesNothingNotEvenTheSaveRequestOrThePage) {
    Start(Unusual());
    const std::string fileBefore = SettingsFile();
    const std::string settingsBefore = FormatSettings(window->Settings());
    const RuntimeState engineBefore = Engine();

    Options([](OptionsUser& user) {
        user.Page(3);
        user.Click(opt::kOsr4);
        user.Click(opt::kWindowHanning);
        user.Choose(opt::kFftPointsList, 8);
        user.Type(opt::kCalEdit, "5");
        user.Choose(opt::kSampleRateList, 1);
        user.Click(opt::kSaveSettings);
        user.Click(kIdCancel);
    });
    services.FireSingleShots();  // the save's delayed OK comes too late

    EXPECT_EQ(FormatSettings(window->Settings()), settingsBefore);
    EXPECT_EQ(SettingsFile(), fileBefore);
    EXPECT_EQ(Engine().windowFunction, engineBefore.windowFunction);
    EXPECT_EQ(Engine().oversampling, engineBefore.oversampling);
    EXPECT_EQ(Engine().scales.cal, engineBefore.scales.cal);

    int pageShown = -1;
    Options([&](OptionsUser& user) {
        pageShown = user.view.SelectedItem(opt::kTabs) + 1;
        user.Page(5);
        user.PressOk();
    });
    EXPECT_EQ(pageShown, 1) << "the page change before Cancel is forgotten";
    Options([&](OptionsUser& user) {
        pageShown = user.view.SelectedItem(opt::kTabs) + 1;
        user.Click(kIdCancel);
    });
    EXPECT_EQ(pageShown, 5);
}

TEST_F(OptionsWindow, SaveSettingsWritesTheNewValuesInTheFileFormat) {
    Start(SettingsRecord{});
    Options([](OptionsUser& user) {
        user.Type(opt::kCalEdit, "0.5");
        user.Click(opt::kOsr4);
        user.Click(opt::kUnitHz);
        user.Click(opt::kModeSingle);
        user.Choose(opt::kChannelDelayList, 7);  // +2
        user.Toggle(opt::kAdcRangeCheck);
        user.Choose(opt::kFftPointsList, 5);  // 8192
        user.Click(opt::kAxisLog);
        user.Click(opt::kWindowHanning);
        user.Toggle(opt::kSnCheck);
        user.Toggle(opt::kHpfCheck);
        user.Type(opt::kSpecCalEdit, "-2.25");
        user.Click(opt::kShowDelay);
        user.Type(opt::kGainRangeEdit, "-60");
        user.Type(opt::kDelayRangeEdit, "150");
        user.Choose(opt::kPhaseRangeList, 2);
        user.Type(opt::kGainOffsetEdit, "3");
        user.Choose(opt::kSampleRateList, 1);  // 96000
        user.Type(opt::kMaxRecEdit, "12.5");
        user.Toggle(opt::kAveragingCheck);
        user.Type(opt::kMaxAvenEdit, "100");
        user.Click(opt::kPoints45);
        user.Click(opt::kSweepSlow);
        user.Click(opt::kSaveSettings);
        user.services.FireSingleShots();
    });
    EXPECT_EQ(SettingsFile(),
              "[OPTION]\n"
              "CAL : 0.500000\n"
              "OSR : 4\n"
              "DIFUNIT : HZ\n"
              "TRIGEDGE : RISING\n"
              "TRIGMODE : SINGLE\n"
              "TADJ : 2\n"
              "ADCRNG : ENABLE\n"
              "FFTN : 8192\n"
              "XLOG : LOG\n"
              "WINFUNC : han\n"
              "MAINFREQ : ON\n"
              "THD : ON\n"
              "THDPN : ON\n"
              "SN : OFF\n"
              "HPF : ON\n"
              "SPECCAL : -2.250000\n"
              "PHSDLY : DELAY\n"
              "GRNG : -60.000000\n"
              "DRNG : 150.000000\n"
              "PRNG : -360 to 360\n"
              "GOFT : 3.000000\n"
              "PLAYWAV : sin1k.wav\n"
              "DEVICE : 0\n"
              "FSAMPLE : 96000\n"
              "MAXREC : 12.500000\n"
              "AVEENB : ON\n"
              "MAXAVEN : 100\n"
              "WAVN : 45\n"
              "SLOWSWEEP : ON\n"
              "GENSOURCE : WAV\n"
              "GENFREQ : 1000.000000\n"
              "GENLEVEL : -6.000000\n"
              "GENPHASE : 0.000000\n"
              "GENFREQ2 : 7000.000000\n"
              "GENRATIO : 4.000000\n"
              "GENCHANNELS : BOTH\n"
              "GENDITHER : ON\n"
              "PRECISE : OFF\n"
              "FSVRMS : 0.000000\n"
              "NETMETHOD : STEPPED\n"
              "LOGSECONDS : 4.000000\n"
              "LOGSTART : 20.000000\n"
              "LOGEND : 20000.000000\n"
              "LOGSMOOTH : 48\n");
    EXPECT_EQ(window->Settings().activeSampleRate, 48000) << "the new rate waits for a restart";
    EXPECT_EQ(Engine().oversampling, 4);

    // The request does not outlive its dialog: a plain OK next time writes nothing.
    std::filesystem::remove(directory / kSettingsFileName);
    Options([](OptionsUser& user) { user.PressOk(); });
    EXPECT_FALSE(std::filesystem::exists(directory / kSettingsFileName));
}

TEST_F(OptionsWindow, AChangedGeneratorFileIsLoadedEvenWhenOnlyItsLetterCaseDiffers) {
    // The engine has not loaded the configured file yet: only a reload changes its file name.
    // The output device goes up to 48000 Hz.
    const struct {
        const char* description;
        const char* chosen;
        uint32_t fileRate;  // 0: no such file anywhere
        const char* engineFile;
        bool warnedMissing;
        const char* message;
    } cases[] = {
        {"the same name: nothing reloads", "tone.wav", 48000, "sin1k.wav", false, nullptr},
        {"only the letter case differs", "TONE.wav", 48000, "TONE.wav", false, nullptr},
        {"a file found nowhere keeps the name and the old sound", "gone.wav", 0, "sin1k.wav", true,
         nullptr},
        {"a rate the device cannot play", "fast.wav", 96000, "fast.wav", false,
         "再生ﾃﾞﾊﾞｲｽでｻﾎﾟｰﾄされていない \r\nｻﾝﾌﾟﾘﾝｸﾞ周波数(96000Hz)です。 \r\n"
         "WAVEﾌｧｲﾙを変更してください。"},
    };
    SimBenchOptions device;
    device.maxOutputRate = 48000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        SettingsRecord file;
        file.playwav = "tone.wav";
        Start(file, device);
        const std::filesystem::path chosen = directory / c.chosen;
        if (c.fileRate != 0) testing::WriteFileBytes(chosen, testing::GoodWav(c.fileRate, 8192));
        services.AnswerFileChooser(chosen.string());
        const size_t runsBefore = services.ModalRuns().size();
        const size_t messagesBefore = services.Messages().size();
        Options([](OptionsUser& user) {
            user.Click(opt::kChangeWavButton);
            user.PressOk();
        });
        EXPECT_EQ(window->Settings().playwav, c.chosen);
        EXPECT_EQ(Engine().generatorFile, c.engineFile);
        bool warnedMissing = false;
        for (size_t run = runsBefore; run < services.ModalRuns().size(); ++run)
            warnedMissing |= services.ModalRuns()[run].templateId == CDlgWarnWav::kTemplateId;
        EXPECT_EQ(warnedMissing, c.warnedMissing);
        const std::vector<testing::RecordedMessage> messages(
            services.Messages().begin() + static_cast<std::ptrdiff_t>(messagesBefore),
            services.Messages().end());
        if (c.message == nullptr) {
            EXPECT_TRUE(messages.empty());
        } else {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, c.message);
            EXPECT_EQ(messages[0].title, "Velmora2 Error Message");
            EXPECT_EQ(messages[0].icon, MessageIcon::Stop);
        }
        window->OnClose();
        window.reset();
        std::filesystem::remove(chosen);
    }
}

TEST_F(OptionsWindow, AChosenFileThatCannotBePlayedIsNamedWithWhatIsWrongWithIt) {
    Start();
    testing::WriteFileBytes(directory / "noise.wav", testing::Samples(500, 3));
    services.AnswerFileChooser((directory / "noise.wav").string());
    const size_t messagesBefore = services.Messages().size();
    Options([](OptionsUser& user) {
        user.Click(opt::kChangeWavButton);
        user.PressOk();
    });
    EXPECT_EQ(window->Settings().playwav, "noise.wav");
    ASSERT_EQ(services.Messages().size(), messagesBefore + 1);
    const testing::RecordedMessage& message = services.Messages().back();
    EXPECT_EQ(message.text, "noise.wav cannot be played: it is not a RIFF/WAVE file.");
    EXPECT_EQ(message.title, "Velmora2");
    EXPECT_EQ(message.icon, MessageIcon::Exclamation);
}

// The generator's page chooses a signal of the generator's own: OK makes it play (no file
// needed), a frequency the rate cannot carry is refused on its page, and the choice is saved.
TEST_F(OptionsWindow, TheGeneratorsOwnSignalIsChosenCheckedAndPlayed) {
    Start();
    std::filesystem::remove(directory / "sin1k.wav");
    const auto choose = [](const char* hz) {
        return [hz](OptionsUser& user) {
            user.Page(4);
            user.Choose(opt::kSignalList, static_cast<int>(SignalKind::Sine));
            EXPECT_TRUE(user.view.IsEnabled(opt::kSignalFreqEdit));
            EXPECT_FALSE(user.view.IsEnabled(opt::kSignalFreq2Edit));
            EXPECT_FALSE(user.view.IsEnabled(opt::kChangeWavButton));
            user.Type(opt::kSignalFreqEdit, hz);
            user.Type(opt::kSignalLevelEdit, "-20");
            user.Choose(opt::kSignalChannelList, static_cast<int>(SignalChannels::Inverted));
            user.Toggle(opt::kSignalDitherCheck);
            user.Click(opt::kSaveSettings);
            user.services.FireSingleShots();
        };
    };
    Options(choose("30000"));
    ASSERT_FALSE(services.Messages().empty());
    // The bound named is 0.49 of the rate.
    EXPECT_NE(services.Messages().back().text.find("23520"), std::string::npos);
    EXPECT_EQ(window->Settings().generator.kind, SignalKind::WavFile) << "refused, not applied";

    Options(choose("437.25"));
    const GeneratorSignal& chosen = window->Settings().generator;
    EXPECT_EQ(chosen.kind, SignalKind::Sine);
    EXPECT_EQ(chosen.frequencyHz, 437.25);
    EXPECT_EQ(chosen.levelDbfs, -20.0);
    EXPECT_EQ(chosen.channels, SignalChannels::Inverted);
    EXPECT_FALSE(chosen.dither);
    EXPECT_NE(
        SettingsFile().find("GENSOURCE : SINE\nGENFREQ : 437.250000\nGENLEVEL : -20.000000\n"),
        std::string::npos);

    const size_t warnings = services.ModalRuns().size();
    window->OnCommand(ctl::kGeneratorOn);
    EXPECT_TRUE(window->MainEngine()->GeneratorPlaying());
    EXPECT_TRUE(view.IsChecked(ctl::kGeneratorOn));
    EXPECT_EQ(services.ModalRuns().size(), warnings) << "no missing-file warning";
}

}  // namespace
}  // namespace velmora2
