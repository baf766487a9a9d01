#include "display/SpectrumReadout.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "display/DrawingConventions.h"
#include "display/PixelCoordinate.h"
#include "display/ReadoutText.h"

namespace velmora2 {
namespace {

constexpr int kLabelColumn = 365;
constexpr int kValueColumn = 397;

// Rows relative to the anchor's y.
struct ReadoutRows {
    int label;
    int mainFrequency;
    int thd;
    int thdPlusNoise;
    int signalToNoise;
    int highPass;
    int fftSize;
};

constexpr ReadoutRows kLeftRows{-40, -40, -30, -20, -10, 40, 50};
constexpr ReadoutRows kRightRows{-30, -30, -20, -10, 0, 10, 20};

class ReadoutPlacer {
public:
    ReadoutPlacer(Surface& surface, int x, int y) : surface_(surface), x_(x), y_(y) {}

    void Label(int row, std::string_view text) const { Put(kLabelColumn, row, text); }
    void Value(int row, std::string_view text) const { Put(kValueColumn, row, text); }

    // prefix + "%<width>.<precision>f" + unit, or prefix + "unmeasured".
    void Figure(int row, std::string_view prefix, const std::optional<double>& figure, int width,
                int precision, std::string_view unit) const {
        ReadoutText text;
        text.Literal(prefix);
        if (figure)
            text.Fixed(*figure, width, precision).Literal(unit);
        else
            text.Literal("unmeasured");
        Value(row, text.View());
    }

private:
    void Put(int column, int row, std::string_view text) const {
        surface_.DrawText(ClampPixel(int64_t{x_} + column), ClampPixel(int64_t{y_} + row), text,
                          kTextColor);
    }

    Surface& surface_;
    int x_;
    int y_;
};

}  // namespace

void DrawSpectrumReadout(Surface& surface, int x, int y, const SpectrumChannel& channel,
                         const SpectrumReadoutSwitches& switches) {
    if (!switches.mainFrequency && !switches.thd && !switches.thdPlusNoise &&
        !switches.signalToNoise)
        return;
    const ReadoutRows& rows = channel.isLeft ? kLeftRows : kRightRows;
    const ReadoutPlacer place(surface, x, y);
    const SpectrumFigures& figures = channel.figures;

    place.Label(rows.label, channel.isLeft ? "Lch:" : "Rch:");
    place.Value(rows.highPass, switches.highPass ? "HPF: On" : "HPF: Off");
    ReadoutText size;
    size.Integer(channel.fftSize).Literal(" point FFT");
    place.Value(rows.fftSize, size.View());
    if (switches.mainFrequency)
        place.Figure(rows.mainFrequency, "Main:", figures.mainFrequency, 5, 0, "Hz");
    if (switches.thd) place.Figure(rows.thd, "THD:", figures.thd, 8, 5, "%");
    if (switches.thdPlusNoise)
        place.Figure(rows.thdPlusNoise, "+N:", figures.thdPlusNoise, 8, 5, "%");
    if (switches.signalToNoise)
        place.Figure(rows.signalToNoise, "SN:", figures.signalToNoise, 6, 1, "dB");
}

}  // namespace velmora2
