// One control of a dialog template: what it is, where it sits (in dialog units) and its caption.
// Plain data without Qt, so a window's layout can be checked without building it; the Qt views
// build their widgets from it.
#pragma once

#include <cmath>

namespace velmora2 {

enum class ControlKind {
    RadioButton,
    CheckBox,
    PushButton,
    Edit,
    ReadOnlyEdit,
    UpDown,
    GroupBox,
    Text,
    RightText,     // a static text aligned to its right edge
    DropDownList,  // a list that drops down; the user cannot type into it
    TabControl,    // the tab strip and frame; the pages' controls are its siblings
};

// Controls without an id (captions, group boxes) are never addressed.
constexpr int kNoControlId = -1;
// Radio buttons outside every group.
constexpr int kNoRadioGroup = 0;

struct ControlTemplate {
    int id = kNoControlId;
    ControlKind kind = ControlKind::Text;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    const char* caption = "";  // UTF-8
    bool visible = true;
    int radioGroup = kNoRadioGroup;  // a click on a radio button clears the others of its group
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool Intersects(const PixelRect& other) const {
        return x < other.Right() && other.x < Right() && y < other.Bottom() && other.y < Bottom();
    }
};

// A dialog unit is a quarter of the 7-pixel average character width across and an eighth of the
// 13-pixel character height down; like the platform's own mapping, each value is converted on
// its own and rounded.
inline int DialogUnitsToPixelsX(int units) {
    return static_cast<int>(std::lround(units * 1.75));
}
inline int DialogUnitsToPixelsY(int units) {
    return static_cast<int>(std::lround(units * 1.625));
}

// A dialog's template: its title, its client size in dialog units and its controls.
struct DialogTemplate {
    int templateId = 0;
    const char* title = "";  // UTF-8
    int widthUnits = 0;
    int heightUnits = 0;
    const ControlTemplate* controls = nullptr;
    int controlCount = 0;
    // The dialog's face in pixels; 0 for the panel's 9-point face.
    int fontPixels = 0;
};

inline PixelRect ControlPixels(const ControlTemplate& control) {
    return {DialogUnitsToPixelsX(control.x), DialogUnitsToPixelsY(control.y),
            DialogUnitsToPixelsX(control.width), DialogUnitsToPixelsY(control.height)};
}

}  // namespace velmora2
