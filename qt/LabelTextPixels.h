// The device pixels a text paints in the label font, kept for the next picture that shows it,
// relative to the top-left corner of the text's cell.
//
// A text is laid out and rendered once. Read-outs bring new numbers with every picture, so a new
// text whose characters join plainly (ASCII, no ligature, no kerned pair: laid out, it is its
// characters side by side, each at its advance) is put together from its characters' pixels
// instead, each placed where the toolkit places an unantialiased glyph (the whole pixel at or
// left of its position), which is the same picture without laying it out.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "qt/PixelRuns.h"

namespace velmora2 {

class LabelTextPixels {
public:
    explicit LabelTextPixels(int pixelRatio);

    const PixelRuns& Of(std::string_view text);

private:
    // Laid out and rendered by the toolkit.
    PixelRuns Render(std::string_view text) const;
    // Put together from the characters' pixels; false when the text does not join plainly.
    bool Compose(std::string_view text, PixelRuns& pixels);
    // A character's advance in pixels (a multiple of 1/64, as the toolkit keeps them).
    double Advance(unsigned char c);
    bool JoinsPlainly(unsigned char left, unsigned char right);

    static constexpr size_t kKeptTexts = 256;
    static constexpr double kUnknown = -1.0;

    int ratio_;
    std::unordered_map<std::string, PixelRuns> texts_;
    std::array<PixelRuns, 128> glyphs_;
    std::array<double, 128> advances_;
    std::array<int8_t, 128 * 128> pairs_;  // 0 unknown, 1 joins plainly, -1 does not
};

}  // namespace velmora2
