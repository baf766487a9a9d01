// The measurement read-out of one spectrum channel: main frequency, THD, THD+N and S/N with the
// channel label, the high-pass state and the FFT size, placed so that the two channels' blocks
// stack without overlapping (the filter and size lines of both land on the same rows). The lines
// are data first: the view draws them, the measurement command prints them.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "display/ReadoutText.h"
#include "display/SpectrumViewState.h"
#include "display/Surface.h"

namespace velmora2 {

// One text of the read-out, placed relative to the block's anchor.
struct SpectrumReadoutLine {
    ReadoutText text;
    int column = 0;  // x offset: the label column or the value column
    int row = 0;     // y offset
};

// The lines in the order they are drawn: label, filter, size, then the figures switched on.
struct SpectrumReadoutLines {
    static constexpr size_t kMaxLines = 7;
    std::array<SpectrumReadoutLine, kMaxLines> lines{};
    size_t count = 0;

    const SpectrumReadoutLine* begin() const { return lines.data(); }
    const SpectrumReadoutLine* end() const { return lines.data() + count; }
};

// Labels in column 365, values in column 397. No line at all when the main-frequency, THD,
// THD+N and S/N switches are all off.
SpectrumReadoutLines LayOutSpectrumReadout(const SpectrumChannel& channel,
                                           const SpectrumReadoutSwitches& switches);

// The lines of LayOutSpectrumReadout with (x, y) as the block's anchor.
void DrawSpectrumReadout(Surface& surface, int x, int y, const SpectrumChannel& channel,
                         const SpectrumReadoutSwitches& switches);

}  // namespace velmora2
