// Builds the widget of one dialog-template control at its place in pixels. Like the platform's
// dialogs: radio buttons are not grouped by Qt (the window decides what a click clears), and
// group boxes and static texts let clicks through to what lies under them.
#pragma once

#include <QFont>

#include "dialogs/ControlTemplate.h"

class QWidget;

namespace velmora2 {

QWidget* CreateControl(const ControlTemplate& control, QWidget* parent);

// The panels were laid out for a 9-point dialog font; the CJK face carries the Japanese captions.
QFont PanelFont();

}  // namespace velmora2
