#include "display/NetworkView.h"

#include <array>
#include <cmath>

#include "display/DrawingConventions.h"
#include "display/FieldGrid.h"
#include "display/PixelCoordinate.h"
#include "display/ReadoutText.h"

namespace velmora2 {

namespace {

constexpr int kPlotWidth = 400;
constexpr int kPlotHeight = 280;
constexpr int kDivisions = 6;
constexpr int kHalfHeight = kPlotHeight * 3 / kDivisions;  // 140: the phase and delay zero line
// The pi of the phase and delay scales.
constexpr double kPi = 3.14159;

constexpr Rgb kGainColor{255, 0, 0};
constexpr Rgb kPhaseColor{0, 255, 0};
constexpr Rgb kDelayColor{0, 0, 255};

using ScaleLabels = std::array<std::string_view, kDivisions + 1>;

struct PhaseScale {
    std::string_view range;
    double pixelsPerRadian;
    ScaleLabels labels;
};

constexpr PhaseScale kPhaseScales[] = {
    {"-90 to 90", kHalfHeight / kPi * 2, {" 90", " 60", " 30", "  0", "-30", "-60", "-90"}},
    {"-180 to 180", kHalfHeight / kPi, {" 180", " 120", "  60", "   0", " -60", "-120", "-180"}},
    {"-360 to 360",
     kHalfHeight / kPi / 2,
     {" 360", " 240", " 120", "   0", "-120", "-240", "-360"}},
};

// A range text outside the three offered gets the widest scale, on which every stored phase
// (at most two turns of pi) still lands inside the plot.
const PhaseScale& PhaseScaleFor(std::string_view range) {
    for (const PhaseScale& scale : kPhaseScales)
        if (scale.range == range) return scale;
    return kPhaseScales[2];
}

// Row j of the six divisions, from the top.
int RowY(int b, int j) {
    return b + kPlotHeight * j / kDivisions;
}

// Column of frequency f on the axis from 10 Hz to fs / 2.
int AxisX(double frequency, int32_t sampleRate) {
    return ToPixel(std::log10(frequency / 10.0) / std::log10(sampleRate / 2 / 10.0) * kPlotWidth);
}

void DrawGridLines(Surface& surface, int a, int b, int32_t sampleRate) {
    SelectPen(surface, kGridPen);
    for (int j = 0; j <= kDivisions; ++j)
        DrawLine(surface, a, RowY(b, j), a + kPlotWidth, RowY(b, j));
    const int64_t nyquist = sampleRate / 2;
    for (int64_t m = 10; m <= 90; m += 10) {
        for (int64_t f = m; f < nyquist; f *= 10) {
            const int x = a + AxisX(static_cast<double>(f), sampleRate);
            DrawLine(surface, x, b, x, b + kPlotHeight);
        }
    }
}

void DrawFrames(Surface& surface, int a, int b) {
    SelectPen(surface, kDefaultPen);
    DrawLine(surface, a, b, a + kPlotWidth, b);
    DrawLine(surface, a, b + kPlotHeight, a + kPlotWidth, b + kPlotHeight);
    DrawLine(surface, a, b, a, b + kPlotHeight);
    DrawLine(surface, a + kPlotWidth, b, a + kPlotWidth, b + kPlotHeight);
    DrawLine(surface, a - 40, b - 40, a + 440, b - 40);
    DrawLine(surface, a - 40, b + 320, a + 440, b + 320);
    DrawLine(surface, a - 40, b - 40, a - 40, b + 320);
}

void DrawTitles(Surface& surface, int a, int b, bool phaseShown) {
    surface.DrawText(a + 110, b - 27, "Gain", kTextColor);
    surface.DrawText(a - 30, b - 30, "[dB]", kTextColor);
    if (phaseShown) {
        surface.DrawText(a + 212, b - 27, "Phase", kTextColor);
        surface.DrawText(a + 390, b - 30, "[degree]", kTextColor);
    } else {
        surface.DrawText(a + 218, b - 27, "Delay", kTextColor);
        surface.DrawText(a + 410, b - 30, "[us]", kTextColor);
    }
}

void DrawScales(Surface& surface, int a, int b, const NetworkPlot& plot) {
    for (int j = 0; j <= kDivisions; ++j) {
        const double gain = (1 - j) * (-plot.gainRange / 5);
        surface.DrawText(a - 30, RowY(b, j) - 12, ReadoutText().Fixed(gain, 4, 0).View(),
                         kTextColor);
    }
    if (plot.phaseShown) {
        const ScaleLabels& labels = PhaseScaleFor(plot.phaseRange).labels;
        for (int j = 0; j <= kDivisions; ++j)
            surface.DrawText(a + 410, RowY(b, j) - 10, labels[j], kTextColor);
    } else {
        for (int j = 0; j <= kDivisions; ++j) {
            const double delay = (3 - j) * plot.delayRange / 3;
            surface.DrawText(a + 407, RowY(b, j) - 8, ReadoutText().Fixed(delay, 4, 0).View(),
                             kTextColor);
        }
    }
}

void DrawFrequencyLabels(Surface& surface, int a, int b, int32_t sampleRate) {
    for (int64_t f = 10; f < sampleRate / 2; f *= 10) {
        ReadoutText label;
        if (f > 999)
            label.Fixed(static_cast<double>(f / 1000), 4, 0).Literal("kHz");
        else
            label.Fixed(static_cast<double>(f), 4, 0).Literal("Hz");
        surface.DrawText(a + AxisX(static_cast<double>(f), sampleRate) - 15, b + kPlotHeight + 3,
                         label.View(), kTextColor);
    }
}

// Joins the measured points in order; y is the curve's row for point i.
template <typename RowOf>
void DrawCurve(Surface& surface, int a, const NetworkPoints& points, Rgb color, RowOf rowOf) {
    surface.SetPen(color, PenStyle::Solid);
    bool started = false;
    for (size_t i = 0; i < points.x.size(); ++i) {
        if (!points.measured[i]) continue;
        const int x = ClampPixel(int64_t{a} + points.x[i]);
        const int y = rowOf(i);
        if (started) {
            surface.LineTo(x, y);
        } else {
            surface.MoveTo(x, y);
            started = true;
        }
    }
}

void DrawLegend(Surface& surface, int x, int b, Rgb color) {
    surface.SetPen(color, PenStyle::Solid);
    DrawLine(surface, x, b - 20, x + 30, b - 20);
}

}  // namespace

void DrawNetworkGrid(Surface& surface, Point origin, const NetworkPlot& plot) {
    const int a = origin.x;
    const int b = origin.y;
    FillField(surface);
    DrawGridLines(surface, a, b, plot.sampleRate);
    DrawFrames(surface, a, b);
    DrawTitles(surface, a, b, plot.phaseShown);
    DrawScales(surface, a, b, plot);
    DrawFrequencyLabels(surface, a, b, plot.sampleRate);
}

void DrawNetworkCurves(Surface& surface, Point origin, const NetworkPlot& plot) {
    const int a = origin.x;
    const int b = origin.y;
    const NetworkPoints& points = plot.points;
    const int zeroY = b + kHalfHeight;
    if (plot.phaseShown) {
        const double k = PhaseScaleFor(plot.phaseRange).pixelsPerRadian;
        DrawCurve(surface, a, points, kPhaseColor, [&](size_t i) {
            return ClampPixel(zeroY + int64_t{ToPixel(k * points.phase[i])});
        });
        DrawLegend(surface, a + 260, b, kPhaseColor);
    } else {
        // 140 / D pixels per microsecond of group delay phase / (2 pi f).
        const double pixelsPerMicrosecond = (140.0 / 300.0) * (300.0 / plot.delayRange);
        DrawCurve(surface, a, points, kDelayColor, [&](size_t i) {
            const double delay =
                pixelsPerMicrosecond * 1e6 * points.phase[i] / 2 / kPi / points.frequency[i];
            return ClampPixel(zeroY + int64_t{ToPixel(delay)});
        });
        DrawLegend(surface, a + 260, b, kDelayColor);
    }

    const double pixelsPerDb = (kPlotHeight / 6.0) / (-10 * plot.gainRange / 50);
    const int gainZeroY = b + kPlotHeight / kDivisions;
    DrawCurve(surface, a, points, kGainColor, [&](size_t i) {
        return ClampPixel(gainZeroY -
                          int64_t{ToPixel((points.gain[i] + plot.gainOffset) * pixelsPerDb)});
    });
    DrawLegend(surface, a + 140, b, kGainColor);
}

}  // namespace velmora2
