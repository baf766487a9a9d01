// The missing-file warning and the splash screen: the name the warning shows and how it closes;
// when the splash appears, what hides it, and the picture it shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/CDlgWarnWav.h"
#include "dialogs/CSplashWnd.h"
#include "dialogs/SplashPicture.h"
#include "display/DrawCallLog.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/FakeSplashHost.h"

namespace velmora2 {
namespace {

using testing::FakeDialogServices;
using testing::FakeDialogView;

TEST(CDlgWarnWav, ShowsTheNameAsGivenAndClosesWithOkOrEscape) {
    struct Case {
        const char* description;
        int button;
        int result;
    };
    const Case cases[] = {{"OK", kIdOk, kIdOk}, {"Escape", kIdCancel, kIdCancel}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        FakeDialogServices services;
        services.AnswerModal(CDlgWarnWav::kTemplateId, [&](ModalDialog& dialog, FakeDialogView&) {
            dialog.OnCommand(c.button, services);
        });
        CDlgWarnWav warning("sin100");
        EXPECT_EQ(services.RunModal(warning), c.result);
        EXPECT_EQ(services.ModalRuns().at(0).view->Text(CDlgWarnWav::kFileNameText), "sin100");
    }
}

TEST(CDlgWarnWav, OtherClicksLeaveItOpen) {
    FakeDialogServices services;
    services.AnswerModal(CDlgWarnWav::kTemplateId, [&](ModalDialog& dialog, FakeDialogView&) {
        dialog.OnCommand(1023, services);
    });
    CDlgWarnWav warning("x");
    EXPECT_EQ(services.RunModal(warning), FakeDialogServices::kCancelResult);
    EXPECT_FALSE(services.EndResult().has_value());
}

TEST(SplashRule, OnlyAPlainStartShowsTheSplash) {
    struct Case {
        const char* description;
        std::vector<std::string> arguments;
        bool enabled;
    };
    const Case cases[] = {
        {"plain start", {}, true},       {"document name", {"RECORD00.wav"}, false},
        {"a switch", {"-p"}, false},     {"switch and name", {"--print", "a.wav"}, false},
        {"empty argument", {""}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        EXPECT_EQ(SplashEnabledForArguments(c.arguments), c.enabled);
    }
}

class SplashTest : public ::testing::Test {
protected:
    void SetUp() override {
        CSplashWnd::SetHost(&host);
        CSplashWnd::EnableSplashScreen(true);
    }
    void TearDown() override {
        CSplashWnd::SetHost(nullptr);
        CSplashWnd::EnableSplashScreen(false);
    }
    testing::FakeSplashHost host;
};

TEST_F(SplashTest, ShowsOnceForTwelveHundredMillisecondsThenHides) {
    CSplashWnd::ShowSplashScreen();
    CSplashWnd::ShowSplashScreen();
    EXPECT_EQ(host.creates, 1);
    EXPECT_EQ(host.timers, std::vector<int>{1200});
    EXPECT_TRUE(CSplashWnd::IsShown());
    CSplashWnd::OnTimer();
    EXPECT_FALSE(CSplashWnd::IsShown());
    EXPECT_EQ(host.destroys, 1);
}

TEST_F(SplashTest, FirstKeyOrMousePressHidesIt) {
    struct Case {
        const char* description;
        InputEvent event;
        bool hides;
    };
    const Case cases[] = {
        {"key press", InputEvent::KeyPress, true},
        {"mouse button", InputEvent::MouseButtonPress, true},
        {"anything else", InputEvent::Other, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        CSplashWnd::ShowSplashScreen();
        CSplashWnd::PreTranslateAppMessage(c.event);
        EXPECT_EQ(CSplashWnd::IsShown(), !c.hides);
        CSplashWnd::HideSplashScreen();
    }
    // Presses after it is gone find nothing to hide.
    const int destroys = host.destroys;
    CSplashWnd::PreTranslateAppMessage(InputEvent::KeyPress);
    EXPECT_EQ(host.destroys, destroys);
}

TEST_F(SplashTest, DisabledOrUncreatableMeansNoSplash) {
    CSplashWnd::EnableSplashScreen(false);
    CSplashWnd::ShowSplashScreen();
    EXPECT_EQ(host.creates, 0);

    CSplashWnd::EnableSplashScreen(true);
    host.canCreate = false;
    CSplashWnd::ShowSplashScreen();
    EXPECT_FALSE(CSplashWnd::IsShown());
    EXPECT_TRUE(host.timers.empty());
}

TEST_F(SplashTest, HostGoingAwayTakesTheSplashWithIt) {
    CSplashWnd::ShowSplashScreen();
    CSplashWnd::SetHost(nullptr);
    EXPECT_EQ(host.destroys, 1);
    EXPECT_FALSE(CSplashWnd::IsShown());
    CSplashWnd::ShowSplashScreen();  // no host: nothing to show it on
    EXPECT_FALSE(CSplashWnd::IsShown());
}

TEST(SplashPicture, StaysInsideItsSurfaceAndNamesTheProgram) {
    DrawCallLog log(CSplashWnd::kWidth, CSplashWnd::kHeight, Rgb{});
    DrawSplashPicture(log);
    bool named = false;
    for (const DrawCall& call : log.Calls()) {
        for (const Point& p : call.points) {
            EXPECT_GE(p.x, 0);
            EXPECT_GE(p.y, 0);
            EXPECT_LE(p.x, CSplashWnd::kWidth);
            EXPECT_LE(p.y, CSplashWnd::kHeight);
        }
        named = named || call.text == "Velmora2";
    }
    EXPECT_TRUE(named);
}

}  // namespace
}  // namespace velmora2
