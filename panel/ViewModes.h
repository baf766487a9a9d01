// The view modes of the main window, one row each: its keyword, its radio button, what the engine
// draws while it shows (the stage the engine runs for it), what entering it does on the front
// panel, and what "Save data..." writes in it and calls its files. A new mode is its stage and view
// and a row here.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "analysis/SweepTable.h"
#include "engine/ModeData.h"
#include "panel/PanelMode.h"

namespace velmora2 {

class ModePanel;

struct ViewMode {
    PanelMode keyword;
    const char* name;  // in the names of saved files: "spectrum-2026-12-09-1432.png"
    int modeButton;    // control id of its radio button
    // What the engine draws: in network analysis the plot of the last sweep (a sweep itself
    // measures in the spectrum mode).
    int32_t engineMode;
    void (ModePanel::*enter)();  // the radio button's handler
    // The CSV of "Save data..."; empty when there is nothing to save.
    std::string (*data)(const ModeData& shown, const SweepResults& sweep);
};

std::span<const ViewMode> ViewModes();
// The row of a radio button, or null for any other control.
const ViewMode* ViewModeOfButton(int controlId);
// The row of a mode keyword, or null.
const ViewMode* ViewModeOfKeyword(PanelMode keyword);
// The row whose picture the engine draws in `engineMode`, or null.
const ViewMode* ViewModeOfEngineMode(int32_t engineMode);

}  // namespace velmora2
