// The generator on the simulated bench at each rate: a tone file played at a volume comes back on
// the left input at that volume, and on the right through the bench's device model with the
// model's exact response at that frequency.
#include <gtest/gtest.h>

#include <atomic>
#include <complex>
#include <numbers>
#include <vector>

#include "display/DrawCallLog.h"
#include "engine/ToneFile.h"
#include "tests/support/BenchModel.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

using testing::DeliverBlocks;
using testing::TempDirectory;
using Complex = std::complex<double>;
using testing::ModelResponse;

constexpr int kToneHz = 1000;
constexpr int32_t kVolume = -600;

// The tone's complex amplitude over a whole number of its periods.
Complex ToneAt(const std::vector<double>& x, int frequency, int rate) {
    const size_t period = static_cast<size_t>(rate / frequency);
    const size_t n = x.size() / period * period;
    Complex sum;
    for (size_t i = 0; i < n; ++i)
        sum += x[i] * std::exp(Complex(0.0, -2.0 * std::numbers::pi * static_cast<double>(i) /
                                                static_cast<double>(period)));
    return 2.0 * sum / static_cast<double>(n);
}

class BenchTone : public ::testing::TestWithParam<int> {};

TEST_P(BenchTone, ComesBackAtTheVolumeAndThroughTheDeviceModel) {
    const int rate = GetParam();
    TempDirectory dir;
    ASSERT_TRUE(WriteToneFile(dir / "sin1k.wav", kToneHz, rate));
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, rate,
                      FileSearchPlaces{dir.Path(), {}, {}, {}});
    std::vector<double> left;
    std::vector<double> right;
    std::atomic<bool> keep{false};
    engine.SetBlockObserver([&](const CDSCapture::ProcessedBlock& b) {
        if (!keep) return;
        for (int f = 0; f < kBlockFrames; ++f) {
            int16_t s[2];
            std::memcpy(s, b.bytes + 4 * f, 4);
            left.push_back(s[0]);
            right.push_back(s[1]);
        }
    });
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_EQ(engine.SetGeneratorFile("sin1k.wav"), 0);
    engine.SetGeneratorVolume(kVolume);
    engine.SetOutputs(true, true, true);
    ASSERT_TRUE(DeliverBlocks(bench, engine, 2));  // the model settles
    keep = true;
    ASSERT_TRUE(DeliverBlocks(bench, engine, 8));
    ASSERT_TRUE(engine.Stop());

    const Complex l = ToneAt(left, kToneHz, rate);
    const Complex r = ToneAt(right, kToneHz, rate);
    EXPECT_NEAR(std::abs(l), kToneAmplitude * VolumeToGain(kVolume), 0.5);
    const Complex measured = r / l;
    const Complex model = ModelResponse(kToneHz, rate);
    EXPECT_NEAR(20 * std::log10(std::abs(measured)), 20 * std::log10(std::abs(model)), 0.05);
    EXPECT_NEAR(std::arg(measured), std::arg(model), 0.2 * std::numbers::pi / 180);
    std::printf(
        "%d Hz: left %.2f counts, right/left %.4f dB (model %.4f dB), %.3f deg (model "
        "%.3f deg)\n",
        rate, std::abs(l), 20 * std::log10(std::abs(measured)), 20 * std::log10(std::abs(model)),
        std::arg(measured) * 180 / std::numbers::pi, std::arg(model) * 180 / std::numbers::pi);
}

INSTANTIATE_TEST_SUITE_P(Rates, BenchTone, ::testing::Values(48000, 96000, 192000));

}  // namespace
}  // namespace velmora2
