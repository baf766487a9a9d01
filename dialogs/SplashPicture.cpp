#include "dialogs/SplashPicture.h"

#include <cmath>
#include <numbers>

namespace velmora2 {

namespace {

constexpr Rgb kBackground{16, 24, 48};
constexpr Rgb kFrame{120, 140, 180};
constexpr Rgb kScreen{8, 32, 24};
constexpr Rgb kGrid{40, 90, 70};
constexpr Rgb kLeftTrace{255, 220, 60};
constexpr Rgb kRightTrace{80, 200, 255};
constexpr Rgb kTitle{255, 255, 255};
constexpr Rgb kSubtitle{170, 185, 210};

// The scope screen: 10 x 8 divisions of 12 pixels.
constexpr int kScreenLeft = 12;
constexpr int kScreenTop = 12;
constexpr int kDivision = 12;
constexpr int kScreenWidth = 10 * kDivision;
constexpr int kScreenHeight = 8 * kDivision;

void DrawGrid(Surface& surface) {
    surface.SetPen(kGrid, PenStyle::Dotted);
    for (int x = kScreenLeft; x <= kScreenLeft + kScreenWidth; x += kDivision) {
        surface.MoveTo(x, kScreenTop);
        surface.LineTo(x, kScreenTop + kScreenHeight);
    }
    for (int y = kScreenTop; y <= kScreenTop + kScreenHeight; y += kDivision) {
        surface.MoveTo(kScreenLeft, y);
        surface.LineTo(kScreenLeft + kScreenWidth, y);
    }
}

// Two periods across the screen; the right channel lags as through a filter.
void DrawTone(Surface& surface, Rgb color, double amplitude, double lag) {
    surface.SetPen(color, PenStyle::Solid);
    const double middle = kScreenTop + kScreenHeight / 2.0;
    for (int i = 0; i <= kScreenWidth; ++i) {
        const double phase = 2.0 * std::numbers::pi * i / (kScreenWidth / 2.0) - lag;
        const int y = static_cast<int>(std::lround(middle - amplitude * std::sin(phase)));
        if (i == 0)
            surface.MoveTo(kScreenLeft + i, y);
        else
            surface.LineTo(kScreenLeft + i, y);
    }
}

}  // namespace

void DrawSplashPicture(Surface& surface) {
    const int width = surface.Width();
    const int height = surface.Height();
    surface.FillRect(0, 0, width, height, kBackground);
    surface.SetPen(kFrame, PenStyle::Solid);
    surface.MoveTo(0, 0);
    surface.LineTo(width - 1, 0);
    surface.LineTo(width - 1, height - 1);
    surface.LineTo(0, height - 1);
    surface.LineTo(0, 0);

    surface.FillRect(kScreenLeft, kScreenTop, kScreenLeft + kScreenWidth + 1,
                     kScreenTop + kScreenHeight + 1, kScreen);
    DrawGrid(surface);
    DrawTone(surface, kLeftTrace, 36.0, 0.0);
    DrawTone(surface, kRightTrace, 24.0, std::numbers::pi / 3.0);

    const int textLeft = kScreenLeft + kScreenWidth + 12;
    surface.DrawText(textLeft, 24, "Velmora2", kTitle);
    surface.DrawText(textLeft, 42, "1.04", kSubtitle);
    surface.DrawText(textLeft, 72, "Scope  FFT", kSubtitle);
    surface.DrawText(textLeft, 88, "Network  XY", kSubtitle);
}

}  // namespace velmora2
