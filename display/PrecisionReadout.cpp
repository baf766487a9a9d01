#include "display/PrecisionReadout.h"

#include <optional>
#include <string_view>

#include "display/DrawingConventions.h"

namespace velmora2 {

namespace {

// Under the spectrum's read-out, clear of its columns.
constexpr int kLeft = 280;
constexpr int kIndent = 8;
constexpr int kTop = 140;
constexpr int kRowHeight = 10;

class Block {
public:
    explicit Block(PrecisionReadoutLines& lines) : lines_(lines) {}

    ReadoutText& Line(int indent = 0) {
        PrecisionReadoutLine& line = lines_.lines[lines_.count];
        line.x = kLeft + indent;
        line.y = kTop + kRowHeight * static_cast<int>(lines_.count);
        ++lines_.count;
        return line.text;
    }

private:
    PrecisionReadoutLines& lines_;
};

// " <name> <value><unit>", or " <name> ---" for a figure that could not be had.
ReadoutText& Figure(ReadoutText& text, std::string_view name, const std::optional<double>& value,
                    int precision, std::string_view unit) {
    text.Literal(" ");
    if (!name.empty()) text.Literal(name).Literal(" ");
    return value ? text.Fixed(*value, 0, precision).Literal(unit)
                 : text.Literal(ReadoutText::kNoValue);
}

void Channel(Block& block, std::string_view name, const ChannelFigures& c) {
    ReadoutText& first = block.Line().Literal(name);
    if (!c.measured) {
        first.Literal(" ").Literal(ReadoutText::kNoValue);
        return;
    }
    first.Literal(" ")
        .Fixed(c.levelDbfs, 0, 2)
        .Literal("dBFS ")
        .Fixed(c.frequencyHz, 0, 2)
        .Literal("Hz");
    if (c.level) first.Literal(" ").Fixed(c.level->rms, 0, 4).Literal("V");
    Figure(Figure(block.Line(kIndent).Literal("THD"), "", c.thdPercent, 5, "%"), "SINAD", c.sinadDb,
           1, "dB");
    ReadoutText& noise = Figure(block.Line(kIndent).Literal("S/N"), "", c.snrDb, 1, "dB");
    Figure(Figure(noise, "A", c.snrADb, 1, "dB"), "ENOB", c.enobBits, 1, "");
}

}  // namespace

PrecisionReadoutLines LayOutPrecisionReadout(const StereoFigures& figures, bool leftShown,
                                             bool rightShown) {
    PrecisionReadoutLines lines;
    Block block(lines);
    block.Line()
        .Literal("Precision ")
        .Integer(figures.points)
        .Literal("pt ")
        .Fixed(figures.bandLowHz, 0, 0)
        .Literal("-")
        .Fixed(figures.bandHighHz, 0, 0)
        .Literal("Hz");
    if (leftShown) Channel(block, "L", figures.left);
    if (rightShown) Channel(block, "R", figures.right);
    if (figures.gainDb && figures.phaseDegrees)
        block.Line()
            .Literal("R/L ")
            .Fixed(*figures.gainDb, 0, 2)
            .Literal("dB ")
            .Fixed(*figures.phaseDegrees, 0, 2)
            .Literal("deg");
    return lines;
}

void DrawPrecisionReadout(Surface& surface, const StereoFigures& figures, bool leftShown,
                          bool rightShown) {
    for (const PrecisionReadoutLine& line : LayOutPrecisionReadout(figures, leftShown, rightShown))
        surface.DrawText(line.x, line.y, line.text.View(), kTextColor);
}

}  // namespace velmora2
