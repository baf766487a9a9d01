// The one formula by which every view turns a magnitude into a level in dB.
#pragma once

#include <cmath>
#include <optional>

namespace velmora2 {

// 20 log10((magnitude / n) / 32768) + specCal. A bin of zero magnitude has no finite level and
// gives none; the views treat it as lying below every other bin.
inline std::optional<double> SpectrumLevel(double magnitude, int n, double specCal) {
    if (!(magnitude > 0)) return std::nullopt;
    return 20 * std::log10((magnitude / n) / 32768) + specCal;
}

}  // namespace velmora2
