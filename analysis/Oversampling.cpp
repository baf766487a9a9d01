#include "analysis/Oversampling.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace velmora2 {
namespace {

// Both filters are symmetric (h[T-1-j] = h[j]); these are h[0] up to and including the centre.
constexpr std::array<double, 25> kHalfTaps2x = {
    0.000216154,  0.000985089, 0.001643165,  0.000532317,  -0.001851342,
    -0.001525445, 0.002475827, 0.00331326,   -0.002952897, -0.006061537,
    0.002969244,  0.009968512, -0.002143572, -0.015288235, -0.0000600608,
    0.022426824,  0.004485263, -0.032228008, -0.012759359, 0.046900339,
    0.029100614,  -0.07409296, -0.070900209, 0.16344933,   0.43357993,
};

constexpr std::array<double, 47> kHalfTaps4x = {
    0.0000221955, -0.0000184876, -0.000146734,   -0.000403037, -0.000749693, -0.001052813,
    -0.001112995, -0.0007645,    -0.00000591749, 0.000917063,  0.001558182,  0.001470748,
    0.000488395,  -0.001070828,  -0.002439987,   -0.002737297, -0.001479324, 0.001001518,
    0.003531779,  0.004592238,   0.003164768,    -0.000509428, -0.004758913, -0.007153638,
    -0.005808996, -0.000666465,  0.006043712,    0.01063022,   0.00984491,   0.002946362,
    -0.007289521, -0.015447359,  -0.016120812,   -0.007139966, 0.008395655,  0.022713486,
    0.026804735,  0.015352844,   -0.009267442,   -0.036257477, -0.049908989, -0.036278847,
    0.009824993,  0.080902175,   0.158085636,    0.217626003,  0.239983374,
};

template <std::size_t T, std::size_t H>
constexpr std::array<double, T> Mirrored(const std::array<double, H>& half) {
    static_assert(H == (T + 1) / 2);
    std::array<double, T> full{};
    for (std::size_t j = 0; j < H; ++j) {
        full[j] = half[j];
        full[T - 1 - j] = half[j];
    }
    return full;
}

constexpr auto kTaps2x = Mirrored<50>(kHalfTaps2x);
constexpr auto kTaps4x = Mirrored<93>(kHalfTaps4x);

constexpr std::array<OversamplingFilter, 3> kFilters = {{
    {1, {}},
    {2, kTaps2x},
    {4, kTaps4x},
}};

}  // namespace

const OversamplingFilter* SelectOversampling(int factor) {
    const auto* found = std::find_if(kFilters.begin(), kFilters.end(),
                                     [factor](const auto& f) { return f.factor == factor; });
    return found == kFilters.end() ? nullptr : found;
}

int FilterLength(int factor) {
    const OversamplingFilter* filter = SelectOversampling(factor);
    return filter == nullptr ? 0 : static_cast<int>(filter->taps.size());
}

int TriggerStartOffset(int factor) {
    return FilterLength(factor) / 2;
}

bool StuffZeros(const double* raw, int factor, double* stuffed) {
    if (SelectOversampling(factor) == nullptr) return false;
    std::fill_n(stuffed, kOversampledLength, 0.0);
    for (int k = 0; k < kOversampledLength; k += factor) stuffed[k] = raw[k / factor];
    return true;
}

bool InterpolationFilter(const double* stuffed, int factor, double* display) {
    const OversamplingFilter* filter = SelectOversampling(factor);
    if (filter == nullptr) return false;
    if (factor == 1) {
        std::copy_n(stuffed, kOversampledLength, display);
        return true;
    }
    // Only taps with j = k (mod R) meet a sample that is not a stuffed zero. Leaving the other
    // products out keeps every sum bit-identical to the full one: the running sum starts at +0
    // and can never become -0, and adding a zero product to it changes nothing.
    const std::span<const double> h = filter->taps;
    const int last = static_cast<int>(h.size()) - 1;
    for (int k = 0; k < kOversampledLength; ++k) {
        double sum = 0.0;
        for (int j = k % factor; j <= std::min(last, k); j += factor) {
            sum += factor * h[j] * stuffed[k - j];
        }
        display[k] = sum;
    }
    return true;
}

bool OversampleForDisplay(const double* raw, int factor, double* stuffed, double* display) {
    return StuffZeros(raw, factor, stuffed) && InterpolationFilter(stuffed, factor, display);
}

}  // namespace velmora2
