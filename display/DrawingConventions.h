// The drawing conventions every view shares: picture geometry, colours, pens and the label font.
// Views take their colours and pens from here so that all pictures look alike.
#pragma once

#include <cstdint>
#include <string_view>

#include "display/Surface.h"

namespace velmora2 {

// The off-screen surface has one extra column and row for the right and bottom frame lines.
inline constexpr int kSurfaceWidth = 481;
inline constexpr int kSurfaceHeight = 361;
inline constexpr int kFieldWidth = 480;
inline constexpr int kFieldHeight = 360;
// The traces span the field's width; cursor read-outs start no further right than this, so
// that they stay inside the field.
inline constexpr double kTraceWidth = kFieldWidth;
inline constexpr int64_t kRightmostReadout = 430;
// Where the picture lands in the main window's client area.
inline constexpr int kPictureLeft = 20;
inline constexpr int kPictureTop = 20;

inline constexpr Rgb kFieldBackground{255, 255, 255};
inline constexpr Rgb kLeftChannelColor{255, 0, 0};
inline constexpr Rgb kRightChannelColor{0, 0, 255};
inline constexpr Rgb kMarkerColor{0, 200, 0};  // cursors, trigger level, markers
inline constexpr Rgb kHoldTextColor{0, 150, 0};
inline constexpr Rgb kTextColor{0, 0, 0};

struct PenSpec {
    Rgb color;
    PenStyle style;
};

inline constexpr PenSpec kGridPen{{100, 100, 100}, PenStyle::Dotted};
// The surface's own pen: frame and axis lines.
inline constexpr PenSpec kDefaultPen{{0, 0, 0}, PenStyle::Solid};

inline void SelectPen(Surface& surface, const PenSpec& pen) {
    surface.SetPen(pen.color, pen.style);
}

// The label font. Height is the text cell (ascent + descent) in pixels; weight on the 100..900
// scale. Surfaces that draw real text build their font from this.
struct FontSpec {
    std::string_view face;
    int height;
    int weight;
};

inline constexpr FontSpec kLabelFont{"Arial", 14, 400};

}  // namespace velmora2
