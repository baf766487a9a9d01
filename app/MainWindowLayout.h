// The main window's dialog template: its client size, its title and every control, the hidden
// ones included (handlers and the settings still address them by id).
#pragma once

#include <span>

#include "dialogs/ControlTemplate.h"

namespace velmora2 {

constexpr int kMainWindowWidthUnits = 403;
constexpr int kMainWindowHeightUnits = 360;

// Radio groups: a click on one member clears the others.
constexpr int kModeGroup = 1;
constexpr int kTriggerGroup = 2;
constexpr int kAxisGroup = 3;
constexpr int kLeftCouplingGroup = 4;
constexpr int kRightCouplingGroup = 5;

std::span<const ControlTemplate> MainWindowControls();

// UTF-8.
const char* MainWindowTitle();

}  // namespace velmora2
