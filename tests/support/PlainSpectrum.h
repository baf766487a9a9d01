// Spectra for the tests, computed the plain way and independently of the analyzer: one DFT bin
// as a direct sum, and a textbook radix-2 FFT for averaged power spectra.
#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace velmora2::testing {

// The amplitude (peak) of the component with exactly `cycles` periods in the record.
inline double BinAmplitude(const std::vector<double>& x, double cycles) {
    std::complex<double> sum = 0.0;
    const double n = static_cast<double>(x.size());
    for (size_t i = 0; i < x.size(); ++i)
        sum +=
            x[i] * std::polar(1.0, -2.0 * std::numbers::pi * cycles * static_cast<double>(i) / n);
    return 2.0 * std::abs(sum) / n;
}

// Frequency from the first and last rising zero crossings, linearly interpolated; 0 with fewer
// than two crossings.
inline double CrossingFrequency(const std::vector<double>& x, int rate) {
    double first = -1.0;
    double last = -1.0;
    int crossings = 0;
    for (size_t i = 1; i < x.size(); ++i) {
        if (x[i - 1] < 0.0 && x[i] >= 0.0) {
            const double at = static_cast<double>(i - 1) - x[i - 1] / (x[i] - x[i - 1]);
            if (first < 0.0) first = at;
            last = at;
            ++crossings;
        }
    }
    return crossings < 2 ? 0.0 : (crossings - 1) * rate / (last - first);
}

// The largest sample-to-sample step of a sine of the peak amplitude and frequency.
inline double SteepestSineStep(double amplitude, double hz, int rate) {
    return 2.0 * amplitude * std::sin(std::numbers::pi * hz / rate);
}

// The largest sample-to-sample step of x from sample `from` on.
inline double LargestStep(const std::vector<double>& x, size_t from = 0) {
    double largest = 0.0;
    for (size_t i = from + 1; i < x.size(); ++i)
        largest = std::max(largest, std::abs(x[i] - x[i - 1]));
    return largest;
}

// In place; the size a power of two.
inline void PlainFft(std::vector<std::complex<double>>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> step =
            std::polar(1.0, -2.0 * std::numbers::pi / static_cast<double>(length));
        for (size_t start = 0; start < n; start += length) {
            std::complex<double> w = 1.0;
            for (size_t k = 0; k < length / 2; ++k, w *= step) {
                const std::complex<double> u = a[start + k];
                const std::complex<double> v = a[start + k + length / 2] * w;
                a[start + k] = u + v;
                a[start + k + length / 2] = u - v;
            }
        }
    }
}

// Power per bin (arbitrary common scale) averaged over Hann-windowed segments of `size` points
// that overlap by half; bin k is k * rate / size hertz.
inline std::vector<double> AveragedPowerSpectrum(const std::vector<double>& x, size_t size) {
    std::vector<double> power(size / 2, 0.0);
    int segments = 0;
    for (size_t start = 0; start + size <= x.size(); start += size / 2, ++segments) {
        std::vector<std::complex<double>> a(size);
        for (size_t i = 0; i < size; ++i) {
            const double w = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) /
                                                  static_cast<double>(size));
            a[i] = w * x[start + i];
        }
        PlainFft(a);
        for (size_t k = 0; k < size / 2; ++k) power[k] += std::norm(a[k]);
    }
    for (double& p : power) p /= segments;
    return power;
}

}  // namespace velmora2::testing
