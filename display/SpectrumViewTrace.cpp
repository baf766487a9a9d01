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
