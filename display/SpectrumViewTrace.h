// The two pieces both spectrum traces are built from: the mapping of a bin's magnitude to a
// pixel value above the channel's 0 dB line, and the peak-preserving decimation that turns bins
// into at most one vertex per pixel column.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "display/Surface.h"

namespace velmora2 {

class SpectrumLevelScale {
public:
    // dbRange is the (negative) level at the bottom edge; position shifts the trace up.
    SpectrumLevelScale(double dbRange, int32_t fftSize, double specCal, int32_t position);

    // Pixels per dB: 360 over the range. A range that is not negative has no meaning; it gives 0,
    // so every bin lies on the 0 dB line instead of at an infinite height.
    double PixelsPerDb() const { return pixelsPerDb_; }

    // v(k) = trunc(level x pixels per dB) + position. A bin of zero magnitude has no finite
    // level and gives none.
    std::optional<int64_t> Value(double magnitude) const;

    // The highest Value() among the magnitudes, none when no bin has a level. Converts only the
    // largest magnitude and the few lying within a hair of it.
    std::optional<int64_t> Peak(std::span<const double> magnitudes) const;

private:
    double pixelsPerDb_;
    int32_t fftSize_;
    double specCal_;
    int32_t position_;
};

// Takes bins in increasing order of x. Whenever a bin lies a pixel or more beyond the previous
// vertex it draws a vertex at the highest value seen since that vertex, so a one-bin peak
// survives any zoom. A vertex made only of bins without a level goes to kBelowEverything.
class PeakDecimator {
public:
    static constexpr int64_t kBelowEverything = -10000;

    // The caller selects the pen; (x0, y0) is the origin and the 0 dB line.
    PeakDecimator(Surface& surface, int x0, int y0) : surface_(surface), x0_(x0), y0_(y0) {}

    void Add(std::optional<int64_t> value, double x);

    // Whether a bin at x would draw a vertex.
    bool ClosesVertex(double x) const { return x - lastX_ >= 1.0; }

private:
    Surface& surface_;
    int x0_;
    int y0_;
    int64_t maximum_ = kBelowEverything;
    double lastX_ = -1.1;  // so that the first bin, at x = 0, is a vertex
    bool started_ = false;
};

// Adds bins first..last (inclusive) of magnitudes, bin k at x = xOf(k), with the same vertices
// as adding every bin's Value() in turn: only a bin that closes a vertex can draw, so the run of
// bins up to it is reduced to its peak first. The bins after the last vertex never draw.
template <typename XOf>
void AddBins(PeakDecimator& trace, const SpectrumLevelScale& scale,
             std::span<const double> magnitudes, int64_t first, int64_t last, XOf xOf) {
    int64_t runStart = first;
    for (int64_t k = first; k <= last; ++k) {
        const double x = xOf(k);
        if (!trace.ClosesVertex(x)) continue;
        const auto run = magnitudes.subspan(static_cast<size_t>(runStart),
                                            static_cast<size_t>(k + 1 - runStart));
        trace.Add(scale.Peak(run), x);
        runStart = k + 1;
    }
}

}  // namespace velmora2
