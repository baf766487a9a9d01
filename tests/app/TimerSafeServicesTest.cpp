// A box raised while a tick of timer 1 is handled stops timer 1 before it opens, so its event
// loop cannot deliver a second tick into the handler; outside a tick the timer is left alone.
#include <gtest/gtest.h>

#include <optional>

#include "app/TimerSafeServices.h"
#include "dialogs/CDlgWarnWav.h"
#include "tests/support/FakeDialog.h"

namespace velmora2 {
namespace {

constexpr int kTimer = 1;

TEST(TimerSafeServices, BoxesInATickStopTheTimerFirst) {
    struct Case {
        const char* description;
        bool inTick;
        bool modal;  // a modal dialog rather than a message box
        bool timerRunsWhileOpen;
    };
    const Case cases[] = {
        {"message box outside a tick", false, false, true},
        {"dialog outside a tick", false, true, true},
        {"message box in a tick", true, false, false},
        {"dialog in a tick", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        testing::FakeDialogServices window;
        TimerSafeServices services(window, kTimer);
        services.SetTimer(kTimer, 500);
        std::optional<bool> runningWhileOpen;
        window.AnswerModal(CDlgWarnWav::kTemplateId, [&](ModalDialog&, testing::FakeDialogView&) {
            runningWhileOpen = window.TimerPeriod(kTimer).has_value();
        });
        {
            std::optional<TimerSafeServices::Tick> tick;
            if (c.inTick) tick.emplace(services);
            if (c.modal) {
                CDlgWarnWav warning("sin1k.wav");
                services.RunModal(warning);
            } else {
                services.MessageBox("text", "title", MessageIcon::Exclamation);
                runningWhileOpen = window.TimerPeriod(kTimer).has_value();
            }
        }
        EXPECT_EQ(runningWhileOpen, c.timerRunsWhileOpen);
        EXPECT_FALSE(services.InTick());
        // After the box, whoever needs the timer sets it again.
        services.SetTimer(kTimer, 500);
        EXPECT_EQ(window.TimerPeriod(kTimer), 500);
    }
}

}  // namespace
}  // namespace velmora2
