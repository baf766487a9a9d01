// What a front-panel object works against in the panel tests: the fake window and services, and
// an engine on the stepped simulated bench that looks its files up in (and records into) a fresh
// directory. The scale panel's bench adds the main window's scale state and the panel itself.
#pragma once

#include <cstdint>
#include <memory>

#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "engine/CDSCapture.h"
#include "panel/InitGates.h"
#include "panel/PanelMode.h"
#include "panel/ScalePanel.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/TempDirectory.h"

namespace velmora2::testing {

struct PanelBench {
    TempDirectory directory;
    FakeDialogView view;
    FakeDialogServices services;
    SimBench bench;
    DrawCallLogTarget window;
    std::unique_ptr<CDSCapture> engine =
        std::make_unique<CDSCapture>(bench, window, DeviceId{}, DeviceId{}, 48000,
                                     FileSearchPlaces{directory.Path(), {}, {}, {}});

    RuntimeState Engine() const { return engine->Settings(); }
};

// The main window's scale state at its defaults, bound to a scale panel.
struct ScalePanelBench : PanelBench {
    DisplayScales scales;
    CursorPositions cursorX{};
    int32_t osr = 1;
    int32_t rate = 48000;
    InitGates gates;
    ScalePanel panel{view, {scales, cursorX, osr, rate, gates, engine}};
};

}  // namespace velmora2::testing
