#include "audio/sim/BenchNoise.h"

#include <cmath>

namespace velmora2 {

namespace {

constexpr uint64_t kSeed = 12345;
constexpr int kDraws = 4;
constexpr double kDrawSteps = 65536.0;  // each draw is 16 bits of the generator's output

// splitmix64: every 64-bit state once, output bits that pass the usual tests of randomness.
uint64_t NextBits(uint64_t& state) {
    uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

}  // namespace

// A uniform draw on (0, 1) has variance 1/12, so the sum of four has variance 1/3.
BenchNoise::BenchNoise(double rms) : scale_(rms * std::sqrt(12.0 / kDraws)), state_(kSeed) {}

double BenchNoise::Next() {
    const uint64_t bits = NextBits(state_);
    // Each draw is (k + 1/2) / 65536 for a 16-bit k, so the four sum to 2 on average.
    const auto sum = static_cast<double>((bits & 0xffff) + ((bits >> 16) & 0xffff) +
                                         ((bits >> 32) & 0xffff) + (bits >> 48));
    return scale_ * ((sum + kDraws / 2.0) / kDrawSteps - kDraws / 2.0);
}

}  // namespace velmora2
