// Test signals whose content is known from their making: sums of sines computed in long double,
// Gaussian noise, and 16-bit quantisation with or without TPDF dither of one LSB peak. Values
// are in full-scale units (a 16-bit code is value * 32768), made here and nowhere in the project.
#pragma once

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <vector>

namespace velmora2::testing {

struct Sinusoid {
    double frequencyHz;
    double amplitude;  // peak, full scale = 1
    double phaseRadians = 0;
};

inline std::vector<double> SumOfSines(int n, int rate, const std::vector<Sinusoid>& parts) {
    std::vector<double> x(n, 0.0);
    constexpr long double kTwoPi = 6.283185307179586476925286766559L;
    for (const Sinusoid& part : parts)
        for (int m = 0; m < n; ++m) {
            const long double cycles = static_cast<long double>(part.frequencyHz) * m / rate;
            x[m] += static_cast<double>(
                part.amplitude *
                std::cos(kTwoPi * (cycles - std::floor(cycles)) + part.phaseRadians));
        }
    return x;
}

inline void AddGaussianNoise(std::vector<double>& x, double sigma, uint32_t seed) {
    std::mt19937_64 random(seed);
    std::normal_distribution<double> normal(0.0, sigma);
    for (double& v : x) v += normal(random);
}

// Rounds to 16-bit codes (clipped), optionally after adding the difference of two uniform
// variables of one LSB each.
inline void QuantiseTo16Bits(std::vector<double>& x, bool dither, uint32_t seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> uniform(-0.5, 0.5);
    for (double& v : x) {
        double code = v * 32768;
        if (dither) code += uniform(random) + uniform(random);
        v = std::fmax(-32768.0, std::fmin(32767.0, std::round(code))) / 32768;
    }
}

}  // namespace velmora2::testing
