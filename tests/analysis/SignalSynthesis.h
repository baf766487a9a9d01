// Test signals for the spectrum path: sampled sines, harmonics and seeded white noise.
#pragma once

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace velmora2::testing {

// amplitude * sin(2 pi f i / fs) for i < count.
inline std::vector<double> Sine(int count, double sampleRate, double frequency, double amplitude) {
    std::vector<double> samples(count);
    for (int i = 0; i < count; ++i)
        samples[i] = amplitude * std::sin(2 * std::numbers::pi * frequency * i / sampleRate);
    return samples;
}

inline void AddTo(std::vector<double>& samples, const std::vector<double>& other) {
    for (size_t i = 0; i < samples.size(); ++i) samples[i] += other[i];
}

// Gaussian white noise of standard deviation sigma, the same on every run.
inline std::vector<double> WhiteNoise(int count, double sigma, unsigned seed) {
    std::mt19937 generator(seed);
    std::normal_distribution<double> normal(0.0, sigma);
    std::vector<double> samples(count);
    for (double& s : samples) s = normal(generator);
    return samples;
}

}  // namespace velmora2::testing
