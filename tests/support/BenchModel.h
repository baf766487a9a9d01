// The simulated bench's device under test as the tests know it, written out from its definition:
// a one-pole low-pass y += a (u - y), a = 1 - e^(-2 pi fc / fs), followed by y + c2 y^2 + c3 y^3.
#pragma once

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "audio/sim/SimBench.h"

namespace velmora2::testing {

// The low-pass's coefficient at a rate.
inline double BenchPoleCoefficient(int rate, const DeviceUnderTest& dut = {}) {
    return 1.0 - std::exp(-2.0 * std::numbers::pi * dut.cornerHz / rate);
}

// H(w) = a / (1 - (1 - a) e^-jw): the device's linear response.
inline std::complex<double> ModelResponse(double frequency, int rate,
                                          const DeviceUnderTest& dut = {}) {
    const double a = BenchPoleCoefficient(rate, dut);
    const double w = 2.0 * std::numbers::pi * frequency / rate;
    return a / (1.0 - (1.0 - a) * std::exp(std::complex<double>(0.0, -w)));
}

// The device's output for an input in full-scale units, without its noise.
inline std::vector<double> ThroughBenchDevice(const std::vector<double>& input, int rate,
                                              const DeviceUnderTest& dut = {}) {
    const double a = BenchPoleCoefficient(rate, dut);
    std::vector<double> out(input.size());
    double y = 0.0;
    for (size_t i = 0; i < input.size(); ++i) {
        y += a * (input[i] - y);
        out[i] = y + dut.secondHarmonic * y * y + dut.thirdHarmonic * y * y * y;
    }
    return out;
}

}  // namespace velmora2::testing
