// The options dialog through the fake view: what it shows for a working copy (values off their
// sets included), what clicks, list choices and typed entries give back, the checks at OK, the
// device and rate lists, the generator file chooser, save-settings and Cancel.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/CDlgOption.h"
#include "dialogs/OptionLayout.h"
#include "dialogs/OptionMessages.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/OptionsUser.h"
#include "tests/support/ScriptedSoundSystem.h"

namespace velmora2 {
namespace {

using testing::DefaultAndNumbered;
using testing::FakeDialogServices;
using testing::FakeDialogView;
using testing::ScriptedSoundSystem;

using User = testing::OptionsUser;

// One opening of the dialog on a fresh working copy and a machine with two listed devices.
class Opening {
public:
    Opening() { sound.ScriptOutputListings({DefaultAndNumbered(2, "Speaker")}); }

    // Runs the dialog with the user's actions; returns its result.
    int Run(const std::function<void(User&)>& actions = {}) {
        testing::AnswerOptions(services, actions);
        return services.RunModal(dialog);
    }
    // The view of the options dialog as the user left it.
    const FakeDialogView& View() const { return *services.ModalRuns().back().view; }
    OptionValues& Values() { return dialog.Values(); }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : services.Messages()) texts.push_back(message.text);
        return texts;
    }

    ScriptedSoundSystem sound;
    FakeDialogServices services;
    CDlgOption dialog{sound};
};

void PressOk(User& user) {
    user.PressOk();
}

TEST(CDlgOption, ShowsEveryValueAndBringsValuesOffTheirSetsIntoIt) {
    const struct {
        const char* description;
        std::function<void(OptionValues&)> set;
        std::vector<int> checked;
        std::vector<int> unchecked;
        std::map<int, int> items;  // list id -> selected item
        std::function<void(const OptionValues&)> afterOk;
    } cases[] = {
        {"defaults",
         [](OptionValues&) {},
         {opt::kOsr1, opt::kUnitSec, opt::kEdgeRising, opt::kModeNormal, opt::kAxisLinear,
          opt::kWindowBlackmanHarris, opt::kShowPhase, opt::kPoints18, opt::kSweepFast,
          opt::kMainFreqCheck, opt::kThdCheck, opt::kThdnCheck, opt::kSnCheck},
         {opt::kOsr2, opt::kOsr4, opt::kUnitHz, opt::kEdgeFalling, opt::kModeSingle, opt::kAxisLog,
          opt::kWindowHanning, opt::kShowDelay, opt::kPoints45, opt::kSweepSlow,
          opt::kAdcRangeCheck, opt::kHpfCheck, opt::kAveragingCheck},
         {{opt::kFftPointsList, 3},
          {opt::kChannelDelayList, 5},
          {opt::kPhaseRangeList, 1},
          {opt::kSampleRateList, 0},
          {opt::kDeviceList, 0}},
         [](const OptionValues& v) {
             EXPECT_EQ(v.settings.osr, 1);
             EXPECT_EQ(v.settings.fftn, 2048);
         }},
        {"OSR 3 shows 4x and comes back as 4",
         [](OptionValues& v) { v.settings.osr = 3; },
         {opt::kOsr4},
         {opt::kOsr1, opt::kOsr2},
         {},
         [](const OptionValues& v) { EXPECT_EQ(v.settings.osr, 4); }},
        {"WAVN 20 shows 45 points and comes back as 45",
         [](OptionValues& v) { v.settings.wavn = 20; },
         {opt::kPoints45},
         {opt::kPoints11, opt::kPoints18, opt::kPoints30},
         {},
         [](const OptionValues& v) { EXPECT_EQ(v.settings.wavn, 45); }},
        {"FFTN 1000 shows 65536 but comes back as 1000",
         [](OptionValues& v) { v.settings.fftn = 1000; },
         {},
         {},
         {{opt::kFftPointsList, 8}},
         [](const OptionValues& v) { EXPECT_EQ(v.settings.fftn, 1000); }},
        {"an unknown window name checks no radio and is kept",
         [](OptionValues& v) { v.settings.winfunc = "kaiser"; },
         {},
         {opt::kWindowHanning, opt::kWindowHamming, opt::kWindowBlackman,
          opt::kWindowBlackmanHarris, opt::kWindowBartlett, opt::kWindowRectangular},
         {},
         [](const OptionValues& v) { EXPECT_EQ(v.settings.winfunc, "kaiser"); }},
        {"TADJ 9 shows +5 and is kept",
         [](OptionValues& v) { v.settings.tadj = 9; },
         {},
         {},
         {{opt::kChannelDelayList, 10}},
         [](const OptionValues& v) { EXPECT_EQ(v.settings.tadj, 9); }},
        {"the other word of every two-way setting",
         [](OptionValues& v) {
             v.settings.xlog = true;
             v.settings.difunitSec = false;
             v.settings.phaseDisplay = false;
             v.settings.slowSweep = true;
             v.settings.trigEdgeRising = false;
             v.settings.trigModeNormal = false;
             v.settings.hpf = true;
             v.settings.thd = false;
             v.settings.aveenb = true;
         },
         {opt::kAxisLog, opt::kUnitHz, opt::kShowDelay, opt::kSweepSlow, opt::kEdgeFalling,
          opt::kModeSingle, opt::kHpfCheck, opt::kAveragingCheck},
         {opt::kAxisLinear, opt::kUnitSec, opt::kShowPhase, opt::kSweepFast, opt::kEdgeRising,
          opt::kModeNormal, opt::kThdCheck},
         {},
         [](const OptionValues& v) {
             EXPECT_TRUE(v.settings.xlog);
             EXPECT_FALSE(v.settings.trigModeNormal);
             EXPECT_TRUE(v.settings.aveenb);
         }},
        {"an unknown phase range shows the widest and is kept; 44100 Hz shows 192000",
         [](OptionValues& v) {
             v.settings.scales.phaseRange = "-45 to 45";
             v.samplingRate = 44100;
         },
         {},
         {},
         {{opt::kPhaseRangeList, 2}, {opt::kSampleRateList, 2}},
         [](const OptionValues& v) {
             EXPECT_EQ(v.settings.scales.phaseRange, "-45 to 45");
             EXPECT_EQ(v.samplingRate, 44100);
         }},
        {"DEVICE beyond the list selects nothing and is kept",
         [](OptionValues& v) { v.settings.device = 7; },
         {},
         {},
         {{opt::kDeviceList, -1}},
         [](const OptionValues& v) { EXPECT_EQ(v.settings.device, 7); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        Opening opening;
        c.set(opening.Values());
        ASSERT_EQ(opening.Run(PressOk), CDlgOption::kOkResult);
        const FakeDialogView& view = opening.View();
        for (int id : c.checked) EXPECT_TRUE(view.IsChecked(id)) << id;
        for (int id : c.unchecked) EXPECT_FALSE(view.IsChecked(id)) << id;
        for (const auto& [list, item] : c.items) EXPECT_EQ(view.SelectedItem(list), item) << list;
        c.afterOk(opening.Values());
        EXPECT_TRUE(opening.MessageTexts().empty());
    }
}

TEST(CDlgOption, EntriesShowTheShortestFormAndReadBackWhatWasTyped) {
    Opening opening;
    opening.Values().settings.scales.specCal = 0.5;
    opening.Values().settings.maxrec = 12.25;
    const int result = opening.Run([](User& user) {
        user.Type(opt::kCalEdit, "2.5");
        user.Type(opt::kDelayRangeEdit, " 150 ");
        user.Type(opt::kGainRangeEdit, "-80");
        user.Type(opt::kSpecCalEdit, "-3.25");
        user.Type(opt::kMaxRecEdit, "1e2");
        user.Type(opt::kMaxAvenEdit, "1000");
        user.Type(opt::kGainOffsetEdit, "0.125");
        user.Toggle(opt::kAveragingCheck);
        user.Toggle(opt::kPrecisionCheck);
        user.Type(opt::kFullScaleEdit, "1.228");
        PressOk(user);
    });
    ASSERT_EQ(result, CDlgOption::kOkResult);
    const SettingsRecord& s = opening.Values().settings;
    EXPECT_EQ(s.scales.cal, 2.5);
    EXPECT_EQ(s.scales.delayRange, 150.0);
    EXPECT_EQ(s.scales.gainRange, -80.0);
    EXPECT_EQ(s.scales.specCal, -3.25);
    EXPECT_EQ(s.maxrec, 100.0);
    EXPECT_EQ(s.maxaven, 1000);
    EXPECT_EQ(s.scales.gainOffset, 0.125);
    EXPECT_TRUE(s.aveenb);
    EXPECT_TRUE(s.precision.on);
    EXPECT_EQ(s.precision.fullScaleVrms, 1.228);

    Opening shown;
    shown.Values().settings.scales.specCal = 0.5;
    shown.Values().settings.maxrec = 12.25;
    shown.Run();
    const std::map<int, std::string> expected = {
        {opt::kCalEdit, "1"},        {opt::kDelayRangeEdit, "300"},    {opt::kGainRangeEdit, "-50"},
        {opt::kSpecCalEdit, "0.5"},  {opt::kMaxRecEdit, "12.25"},      {opt::kMaxAvenEdit, "50"},
        {opt::kGainOffsetEdit, "0"}, {opt::kWavNameEdit, "sin1k.wav"}, {opt::kFullScaleEdit, "0"},
    };
    for (const auto& [id, text] : expected) EXPECT_EQ(shown.View().Text(id), text) << id;
}

TEST(CDlgOption, ABadEntryKeepsTheDialogOpenWithTheStandardMessageOnItsField) {
    const struct {
        const char* description;
        std::map<int, std::string> typed;
        std::string message;
        int focus;
    } cases[] = {
        {"CAL 0", {{opt::kCalEdit, "0"}}, "Enter a number between 0.01 and 10.", opt::kCalEdit},
        {"CAL 11", {{opt::kCalEdit, "11"}}, "Enter a number between 0.01 and 10.", opt::kCalEdit},
        {"CAL empty", {{opt::kCalEdit, ""}}, "Enter a number.", opt::kCalEdit},
        {"MAXAVEN 1",
         {{opt::kMaxAvenEdit, "1"}},
         "Enter an integer between 2 and 1000.",
         opt::kMaxAvenEdit},
        {"MAXAVEN 1001",
         {{opt::kMaxAvenEdit, "1001"}},
         "Enter an integer between 2 and 1000.",
         opt::kMaxAvenEdit},
        {"MAXAVEN 2.5", {{opt::kMaxAvenEdit, "2.5"}}, "Enter an integer.", opt::kMaxAvenEdit},
        {"GOFT text", {{opt::kGainOffsetEdit, "abc"}}, "Enter a number.", opt::kGainOffsetEdit},
        {"the first bad field in the order wins: DRNG before MAXAVEN",
         {{opt::kMaxAvenEdit, "0"}, {opt::kDelayRangeEdit, "x"}},
         "Enter a number.",
         opt::kDelayRangeEdit},
        {"the first bad field in the order wins: CAL before GOFT",
         {{opt::kGainOffsetEdit, "x"}, {opt::kCalEdit, "20"}},
         "Enter a number between 0.01 and 10.",
         opt::kCalEdit},
        {"MAXREC not finite", {{opt::kMaxRecEdit, "inf"}}, "Enter a number.", opt::kMaxRecEdit},
        {"FSVRMS negative",
         {{opt::kFullScaleEdit, "-1"}},
         "Enter a number between 0 and 1000.",
         opt::kFullScaleEdit},
        {"log sweep of 30 s",
         {{opt::kLogSecondsEdit, "30"}},
         "Enter a number between 1 and 20.",
         opt::kLogSecondsEdit},
        {"log sweep's band under an octave",
         {{opt::kLogStartEdit, "12000"}},
         "Enter a number between 10 and 10000.",
         opt::kLogStartEdit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        Opening opening;
        opening.Values().lastOptionsPage = 4;
        const int result = opening.Run([&](User& user) {
            for (const auto& [id, text] : c.typed) user.Type(id, text);
            PressOk(user);
        });
        EXPECT_EQ(result, FakeDialogServices::kCancelResult) << "the dialog must stay open";
        ASSERT_EQ(opening.services.Messages().size(), 1u);
        EXPECT_EQ(opening.services.Messages()[0].text, c.message);
        EXPECT_EQ(opening.services.Messages()[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(opening.View().Focus(), c.focus);
        EXPECT_TRUE(opening.View().Control(c.focus).visible) << "the field's page comes forward";
    }
}

// The method list switches between the stepped sweep's fields and the log sweep's, and the log
// sweep's length, band and smoothing come back from OK.
TEST(CDlgOption, TheLogSweepsFieldsServeItsMethodAndReadBack) {
    Opening opening;
    bool loggedFieldsAtFirst = true;
    bool pointsWithLog = true;
    const int result = opening.Run([&](User& user) {
        loggedFieldsAtFirst = user.view.Control(opt::kLogSecondsEdit).enabled;
        user.Choose(opt::kNetMethodList, 1);
        pointsWithLog = user.view.Control(opt::kPoints18).enabled;
        EXPECT_TRUE(user.view.Control(opt::kLogEndEdit).enabled);
        user.Type(opt::kLogSecondsEdit, "8");
        user.Type(opt::kLogStartEdit, "30");
        user.Type(opt::kLogEndEdit, "40000");
        user.Choose(opt::kLogSmoothingList, 2);
        PressOk(user);
    });
    ASSERT_EQ(result, CDlgOption::kOkResult);
    EXPECT_FALSE(loggedFieldsAtFirst) << "the stepped sweep is the default";
    EXPECT_FALSE(pointsWithLog);
    EXPECT_EQ(opening.Values().settings.network, (NetworkMethodSettings{true, 8, 30, 40000, 12}));
}

TEST(CDlgOption, ADecimalCommaIsRefusedUnderAGermanLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    Opening opening;
    const int result = opening.Run([](User& user) {
        user.Type(opt::kCalEdit, "1,5");
        PressOk(user);
        user.Type(opt::kCalEdit, "1.5");
        PressOk(user);
    });
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(opening.MessageTexts(), std::vector<std::string>{"Enter a number."});
    EXPECT_EQ(result, CDlgOption::kOkResult);
    EXPECT_EQ(opening.Values().settings.scales.cal, 1.5);
}

TEST(CDlgOption, OpensOnTheLastPageAndFollowsPageChanges) {
    Opening opening;
    opening.Values().lastOptionsPage = 3;
    std::vector<int> pagesSeen;
    auto visiblePage = [](const FakeDialogView& view) {
        int shown = 0;
        for (const OptionControl& control : OptionControls()) {
            if (control.page == 0 || !view.Control(control.id).visible) continue;
            if (shown != 0 && shown != control.page) return -1;  // two pages at once
            shown = control.page;
        }
        return shown;
    };
    const int result = opening.Run([&](User& user) {
        pagesSeen.push_back(visiblePage(user.view));
        EXPECT_EQ(user.view.SelectedItem(opt::kTabs), 2);
        user.Page(5);
        pagesSeen.push_back(visiblePage(user.view));
        PressOk(user);
    });
    EXPECT_EQ(result, CDlgOption::kOkResult);
    EXPECT_EQ(pagesSeen, (std::vector<int>{3, 5}));
    EXPECT_EQ(opening.Values().lastOptionsPage, 5);
    EXPECT_EQ(
        opening.View().Control(opt::kTabs).items,
        (std::vector<std::string>{"ｵｼﾛｽｺｰﾌﾟ", "FFTｱﾅﾗｲｻﾞ", "ﾈｯﾄﾜｰｸ解析", "ｼﾞｪﾈﾚｰﾀ", "ﾃﾞﾊﾞｲｽ"}));

    Opening cancelled;
    cancelled.Values().lastOptionsPage = 3;
    EXPECT_EQ(cancelled.Run([](User& user) {
        user.Page(5);
        user.Click(kIdCancel);
    }),
              CDlgOption::kCancelResult);
}

TEST(CDlgOption, ClicksAndListChoicesSetTheirValues) {
    Opening opening;
    opening.Values().settings.fftn = 1000;
    const int result = opening.Run([](User& user) {
        user.Click(opt::kOsr2);
        user.Click(opt::kEdgeFalling);
        user.Click(opt::kWindowHanning);
        user.Click(opt::kPoints11);
        user.Toggle(opt::kHpfCheck);
        user.Toggle(opt::kSnCheck);
        user.Toggle(opt::kSnCheck);
        user.Choose(opt::kFftPointsList, 8);
        user.Choose(opt::kChannelDelayList, 0);
        user.Choose(opt::kPhaseRangeList, 0);
        EXPECT_TRUE(user.view.IsChecked(opt::kOsr2));
        EXPECT_FALSE(user.view.IsChecked(opt::kOsr1));
        EXPECT_TRUE(user.view.IsChecked(opt::kModeNormal)) << "edge and mode are separate sets";
        EXPECT_FALSE(user.view.IsChecked(opt::kWindowBlackmanHarris));
        PressOk(user);
    });
    ASSERT_EQ(result, CDlgOption::kOkResult);
    const SettingsRecord& s = opening.Values().settings;
    EXPECT_EQ(s.osr, 2);
    EXPECT_FALSE(s.trigEdgeRising);
    EXPECT_TRUE(s.trigModeNormal);
    EXPECT_EQ(s.winfunc, "han");
    EXPECT_EQ(s.wavn, 11);
    EXPECT_TRUE(s.hpf);
    EXPECT_TRUE(s.sn);
    EXPECT_EQ(s.fftn, 65536) << "closing the list takes its item";
    EXPECT_EQ(s.tadj, -5);
    EXPECT_EQ(s.scales.phaseRange, "-90 to 90");
}

TEST(CDlgOption, DeviceListTellsOnlyAboutARealChange) {
    Opening opening;
    opening.Values().settings.device = 1;
    opening.Run([](User& user) {
        user.Page(5);
        user.Choose(opt::kDeviceList, 1);
        EXPECT_TRUE(user.dialog.Values().deviceNames.size() == 3);
        user.Choose(opt::kDeviceList, 2);
        PressOk(user);
    });
    EXPECT_EQ(opening.MessageTexts(), std::vector<std::string>{msg::kNewDevice});
    EXPECT_EQ(opening.Values().settings.device, 2);
    EXPECT_EQ(opening.View().Control(opt::kDeviceList).items,
              (std::vector<std::string>{"Default", "Speaker 0", "Speaker 1"}));
    EXPECT_EQ(opening.Values().devices.deviceCount, 3);
    EXPECT_EQ(opening.Values().devices.outputDeviceIds[2], DeviceId{1});

    Opening unlisted;
    unlisted.sound.ScriptOutputListings({{}});
    unlisted.Values().settings.device = 3;
    unlisted.Run([](User& user) {
        user.Choose(opt::kDeviceList, -1);
        PressOk(user);
    });
    EXPECT_TRUE(unlisted.MessageTexts().empty());
    EXPECT_EQ(unlisted.Values().settings.device, 3);
}

TEST(CDlgOption, SampleRatesAboveTheDeviceAreRefused) {
    const struct {
        const char* description;
        int32_t current;
        int choose;
        std::vector<std::string> messages;
        int32_t result;
        int itemShown;
    } cases[] = {
        {"192000 on a 96000 device", 48000, 2, {msg::kRateMayBeUnsupported}, 48000, 0},
        {"96000 on a 96000 device", 48000, 1, {msg::kNewRate}, 96000, 1},
        {"the same rate again", 96000, 1, {}, 96000, 1},
        {"lower than before", 96000, 0, {msg::kNewRate}, 48000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        Opening opening;
        opening.Values().samplingRate = c.current;
        opening.Values().deviceMaxRate = 96000;
        ASSERT_EQ(opening.Run([&](User& user) {
            user.Choose(opt::kSampleRateList, c.choose);
            PressOk(user);
        }),
                  CDlgOption::kOkResult);
        EXPECT_EQ(opening.MessageTexts(), c.messages);
        EXPECT_EQ(opening.Values().samplingRate, c.result);
        EXPECT_EQ(opening.View().SelectedItem(opt::kSampleRateList), c.itemShown);
    }
}

TEST(CDlgOption, ChangeWavFileKeepsTheBareNameOfAFileThatFits) {
    const std::string longName = std::string(116, 'a') + ".wav";  // 120 bytes
    const struct {
        const char* description;
        std::optional<std::string> chosen;
        std::string playwav;
        std::vector<std::string> messages;
    } cases[] = {
        {"from another directory", "/home/user/tones/sin440.wav", "sin440.wav", {}},
        {"the user cancels", std::nullopt, "sin1k.wav", {}},
        {"a 120-byte name", "/tmp/" + longName, "sin1k.wav", {msg::kWavNameTooLong}},
        {"a 99-byte name",
         "/tmp/" + std::string(95, 'b') + ".wav",
         std::string(95, 'b') + ".wav",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        Opening opening;
        opening.services.AnswerFileChooser(c.chosen);
        opening.Run([](User& user) {
            user.Page(4);
            user.Click(opt::kChangeWavButton);
            PressOk(user);
        });
        EXPECT_EQ(opening.Values().settings.playwav, c.playwav);
        EXPECT_EQ(opening.View().Text(opt::kWavNameEdit), c.playwav);
        EXPECT_EQ(opening.MessageTexts(), c.messages);
        ASSERT_EQ(opening.services.FileRequests().size(), 1u);
        const auto& request = opening.services.FileRequests()[0];
        EXPECT_EQ(request.initialName, "sin1k.wav");
        ASSERT_EQ(request.filters.size(), 2u);
        EXPECT_EQ(request.filters[0].pattern.substr(0, 5), "*.wav");
        EXPECT_EQ(request.filters[1].pattern, "*");
    }
}

TEST(CDlgOption, SaveSettingsClosesAsOkAfterFiftyMilliseconds) {
    Opening opening;
    opening.Run([](User& user) { user.Click(opt::kSaveSettings); });
    EXPECT_TRUE(opening.Values().saveRequested);
    EXPECT_EQ(opening.services.PendingSingleShots(), std::vector<int>{50});
    EXPECT_FALSE(opening.services.EndResult().has_value()) << "not before the delay";
    opening.services.FireSingleShots();
    EXPECT_EQ(opening.services.EndResult(), CDlgOption::kOkResult);
}

TEST(CDlgOption, SaveWithABadEntryStaysOpenAndALaterOkStillSaves) {
    Opening opening;
    FakeDialogServices& services = opening.services;
    const int result = opening.Run([&](User& user) {
        user.Type(opt::kCalEdit, "0");
        user.Click(opt::kSaveSettings);
        services.FireSingleShots();
        EXPECT_EQ(services.Messages().size(), 1u);
        EXPECT_TRUE(user.dialog.Values().saveRequested);
        user.Type(opt::kCalEdit, "0.5");
        PressOk(user);
    });
    EXPECT_EQ(result, CDlgOption::kOkResult);
    EXPECT_TRUE(opening.Values().saveRequested);
    EXPECT_EQ(opening.Values().settings.scales.cal, 0.5);
}

TEST(CDlgOption, CancelAndEscapeEndAtOnceAndIgnoreLaterEvents) {
    Opening opening;
    const int result = opening.Run([](User& user) {
        user.Click(opt::kSaveSettings);
        user.Click(kIdCancel);
        user.Type(opt::kCalEdit, "0");
        PressOk(user);
    });
    EXPECT_EQ(result, CDlgOption::kCancelResult);
    EXPECT_EQ(opening.services.FireSingleShots(), 1);
    EXPECT_TRUE(opening.MessageTexts().empty()) << "nothing runs after the end";
}

// The layout as placed at opening: every control inside the tab frame, and no two controls the
// user works with on one page covering each other.
TEST(CDlgOption, PagesFitTheTabFrameWithoutOverlappingInputs) {
    Opening opening;
    opening.Run();
    const FakeDialogView& view = opening.View();
    const PixelRect frame = view.Control(opt::kTabs).place;
    EXPECT_EQ(frame.width, 340);
    std::vector<const OptionControl*> inputs;
    for (const OptionControl& control : OptionControls()) {
        if (control.page == 0) continue;
        const PixelRect place = view.Control(control.id).place;
        EXPECT_TRUE(place.x >= frame.x && place.Right() <= frame.Right() && place.y >= frame.y &&
                    std::min(place.Bottom(), place.y + 25) <= frame.Bottom())
            << control.id;
        if (control.kind != ControlKind::GroupBox && control.kind != ControlKind::Text)
            inputs.push_back(&control);
    }
    for (size_t a = 0; a < inputs.size(); ++a)
        for (size_t b = a + 1; b < inputs.size(); ++b) {
            if (inputs[a]->page != inputs[b]->page) continue;
            PixelRect first = inputs[a]->place;
            PixelRect second = inputs[b]->place;
            // A drop-down list's height includes its dropped list.
            if (inputs[a]->kind == ControlKind::DropDownList) first.height = 20;
            if (inputs[b]->kind == ControlKind::DropDownList) second.height = 20;
            EXPECT_FALSE(first.Intersects(second)) << inputs[a]->id << " " << inputs[b]->id;
        }
}

}  // namespace
}  // namespace velmora2
