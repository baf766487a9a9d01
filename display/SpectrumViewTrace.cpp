#include "display/SpectrumViewTrace.h"

#include <cmath>

#include "display/DrawingConventions.h"
#include "display/PixelCoordinate.h"

namespace velmora2 {
namespace {

// Full scale of a 16-bit sample: the level formula refers magnitudes to it.
constexpr double kFullScale = 32768.0;

}  // namespace

SpectrumLevelScale::SpectrumLevelScale(double dbRange, int32_t fftSize, double specCal,
                                       int32_t position)
    : pixelsPerDb_(dbRange < 0.0 ? kFieldHeight / -dbRange : 0.0),
      fftSize_(fftSize),
      specCal_(specCal),
      position_(position) {}

std::optional<int64_t> SpectrumLevelScale::Value(double magnitude) const {
    if (!(magnitude > 0.0) || fftSize_ <= 0) return std::nullopt;
    const double level = 20.0 * std::log10((magnitude / fftSize_) / kFullScale) + specCal_;
    return int64_t{ToPixel(level * pixelsPerDb_)} + position_;
}

std::optional<int64_t> SpectrumLevelScale::Peak(std::span<const double> magnitudes) const {
    double largest = 0.0;
    for (const double magnitude : magnitudes) largest = magnitude > largest ? magnitude : largest;
    if (!(largest > 0.0)) return std::nullopt;
    // Every step of Value() keeps the order of its inputs except the library logarithm, which is
    // only promised to lie within a few units in the last place. Magnitudes within 2^-20 of the
    // largest are converted as well; anything further below has a logarithm smaller by millions
    // of such units, so it cannot come out higher.
    const double nearLargest = largest * (1.0 - 0x1p-20);
    std::optional<int64_t> peak;
    for (const double magnitude : magnitudes) {
        if (!(magnitude >= nearLargest)) continue;
        const std::optional<int64_t> value = Value(magnitude);
        if (value && (!peak || *value > *peak)) peak = value;
    }
    return peak;
}

void PeakDecimator::Add(std::optional<int64_t> value, double x) {
    if (value && *value > maximum_) maximum_ = *value;
    if (!(x - lastX_ >= 1.0)) return;
    const int px = ClampPixel(int64_t{x0_} + ToPixel(x));
    const int py = ClampPixel(int64_t{y0_} - maximum_);
    if (started_)
        surface_.LineTo(px, py);
    else
        surface_.MoveTo(px, py);
    started_ = true;
    lastX_ = x;
    maximum_ = kBelowEverything;
}

}  // namespace velmora2
