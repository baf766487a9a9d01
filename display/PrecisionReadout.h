// The precision read-out in the spectrum picture: a small block under the spectrum's own
// read-out with the record length and band, per shown channel its level, frequency, THD, SINAD,
// S/N (unweighted and A-weighted) and ENOB, and the right input's gain and phase against the
// left one's. Lines as data first, as the spectrum's read-out.
#pragma once

#include <array>
#include <cstddef>

#include "display/ReadoutText.h"
#include "display/Surface.h"
#include "precision/PrecisionFigures.h"

namespace velmora2 {

struct PrecisionReadoutLine {
    ReadoutText text;
    int x = 0;
    int y = 0;
};

struct PrecisionReadoutLines {
    static constexpr size_t kMaxLines = 8;
    std::array<PrecisionReadoutLine, kMaxLines> lines{};
    size_t count = 0;

    const PrecisionReadoutLine* begin() const { return lines.data(); }
    const PrecisionReadoutLine* end() const { return lines.data() + count; }
};

PrecisionReadoutLines LayOutPrecisionReadout(const StereoFigures& figures, bool leftShown,
                                             bool rightShown);

void DrawPrecisionReadout(Surface& surface, const StereoFigures& figures, bool leftShown,
                          bool rightShown);

}  // namespace velmora2
