#include "display/SpectrumReadout.h"

#include <cstdint>
#include <optional>

#include "display/DrawingConventions.h"
#include "display/PixelCoordinate.h"

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

class ReadoutLayout {
public:
    explicit ReadoutLayout(SpectrumReadoutLines& lines) : lines_(lines) {}

    void Label(int row, std::string_view text) { Next(kLabelColumn, row).Literal(text); }
    void Value(int row, std::string_view text) { Next(kValueColumn, row).Literal(text); }
    ReadoutText& Value(int row) { return Next(kValueColumn, row); }

    // prefix + "%<width>.<precision>f" + unit, or prefix + "unmeasured".
    void Figure(int row, std::string_view prefix, const std::optional<double>& figure, int width,
                int precision, std::string_view unit) {
        ReadoutText& text = Next(kValueColumn, row);
        text.Literal(prefix);
        if (figure)
            text.Fixed(*figure, width, precision).Literal(unit);
        else
            text.Literal("unmeasured");
    }

private:
    ReadoutText& Next(int column, int row) {
        SpectrumReadoutLine& line = lines_.lines[lines_.count++];
        line.column = column;
        line.row = row;
        return line.text;
    }

    SpectrumReadoutLines& lines_;
};

}  // namespace

SpectrumReadoutLines LayOutSpectrumReadout(const SpectrumChannel& channel,
                                           const SpectrumReadoutSwitches& switches) {
    SpectrumReadoutLines lines;
    if (!switches.mainFrequency && !switches.thd && !switches.thdPlusNoise &&
        !switches.signalToNoise)
        return lines;
    const ReadoutRows& rows = channel.isLeft ? kLeftRows : kRightRows;
    const SpectrumFigures& figures = channel.figures;
    ReadoutLayout layout(lines);

    layout.Label(rows.label, channel.isLeft ? "Lch:" : "Rch:");
    layout.Value(rows.highPass, switches.highPass ? "HPF: On" : "HPF: Off");
    layout.Value(rows.fftSize).Integer(channel.fftSize).Literal(" point FFT");
    if (switches.mainFrequency)
        layout.Figure(rows.mainFrequency, "Main:", figures.mainFrequency, 5, 0, "Hz");
    if (switches.thd) layout.Figure(rows.thd, "THD:", figures.thd, 8, 5, "%");
    if (switches.thdPlusNoise)
        layout.Figure(rows.thdPlusNoise, "+N:", figures.thdPlusNoise, 8, 5, "%");
    if (switches.signalToNoise)
        layout.Figure(rows.signalToNoise, "SN:", figures.signalToNoise, 6, 1, "dB");
    return lines;
}

void DrawSpectrumReadout(Surface& surface, int x, int y, const SpectrumChannel& channel,
                         const SpectrumReadoutSwitches& switches) {
    for (const SpectrumReadoutLine& line : LayOutSpectrumReadout(channel, switches))
        surface.DrawText(ClampPixel(int64_t{x} + line.column), ClampPixel(int64_t{y} + line.row),
                         line.text.View(), kTextColor);
}

}  // namespace velmora2
