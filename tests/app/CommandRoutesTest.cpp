// Clicks reaching the main window: each routed id has its effect and nothing else, and ids
// without a handler change nothing.
#include <gtest/gtest.h>

#include "app/CTarvikDlg.h"
#include "audio/sim/SimBench.h"
#include "dialogs/CDlgDevice.h"
#include "display/DrawCallLog.h"
#include "panel/ControlIds.h"
#include "tests/support/FakeDialog.h"

namespace velmora2 {
namespace {

// What a click may change that the user would notice.
struct Observed {
    bool engineRuns = true;
    size_t deviceDialogRuns = 0;
    size_t messages = 0;
    friend bool operator==(const Observed&, const Observed&) = default;
};

std::ostream& operator<<(std::ostream& out, const Observed& o) {
    return out << "{runs " << o.engineRuns << ", device dialogs " << o.deviceDialogRuns
               << ", messages " << o.messages << "}";
}

TEST(CommandRoutes, EachIdHasItsEffectAndNoOther) {
    struct Case {
        const char* description;
        int id;
        Observed afterClick;  // start-up itself runs the device dialog once
    };
    const Case cases[] = {
        {"Hold/Run holds the display", ctl::kHoldRun, {false, 1, 0}},
        {"the hidden Device button lists the devices again", ctl::kDevice, {true, 2, 0}},
        {"an id no control has", 4242, {true, 1, 0}},
        {"a spin is not a button", ctl::kTimeDivSpin, {true, 1, 0}},
        {"a label is not a button", ctl::kVolumeLabel, {true, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        SimBench bench;
        DrawCallLogTarget clientArea;
        testing::FakeDialogView view;
        testing::FakeDialogServices services;
        // No settings file there: start-up runs on the defaults and writes nothing.
        CTarvikDlg window(bench, clientArea, view, services, "/nonexistent/velmora2-routes");
        window.OnInitDialog();
        ASSERT_NE(window.MainEngine(), nullptr);

        window.OnCommand(c.id);

        Observed seen;
        seen.engineRuns = window.MainEngine()->Settings().run;
        for (const testing::ModalRun& run : services.ModalRuns())
            seen.deviceDialogRuns += run.templateId == CDlgDevice::kTemplateId;
        seen.messages = services.Messages().size();
        EXPECT_EQ(seen, c.afterClick);
        window.OnClose();
    }
}

}  // namespace
}  // namespace velmora2
