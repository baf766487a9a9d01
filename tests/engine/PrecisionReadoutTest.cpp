// The precision read-out end to end on the stepped simulated bench: the generator plays a sine,
// the engine fills its own record of 65536 points, analyses it over the following blocks and
// draws the figures under the spectrum's read-out; the right input is the bench's first-order
// low-pass at 3000 Hz, so its gain and phase against the left are known from the model.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "display/DrawCallLog.h"
#include "tests/support/BenchModel.h"
#include "tests/support/EngineTestSupport.h"

namespace velmora2 {
namespace {

constexpr int kPrecisionRate = 48000;

std::vector<std::string> PrecisionTextsOfLastPicture(const DrawCallLogTarget& window) {
    std::vector<std::string> texts;
    const std::vector<DrawCallLogTarget::Copy> copies = window.Copies();
    if (copies.empty()) return texts;
    for (const DrawCall& call : copies.back().calls)
        if (call.kind == DrawCall::Kind::Text) texts.push_back(call.text);
    return texts;
}

bool HasPrecisionLine(const std::vector<std::string>& texts, const std::string& start) {
    for (const std::string& text : texts)
        if (text.rfind(start, 0) == 0) return true;
    return false;
}

std::string FixedText(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

TEST(PrecisionReadout, DrawsTheFiguresOfItsOwnRecordUnderTheSpectrum) {
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, kPrecisionRate);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    engine.SetMode(kModeSpectrum);
    engine.SetGeneratorVolume(0);
    GeneratorSignal sine;
    sine.kind = SignalKind::Sine;
    sine.frequencyHz = 997;
    sine.levelDbfs = -1;
    ASSERT_EQ(engine.SetGeneratorSignal(sine), 0);
    engine.SetOutputs(true, true, true);
    ASSERT_TRUE(testing::DeliverBlocks(bench, engine, 8));
    EXPECT_FALSE(HasPrecisionLine(PrecisionTextsOfLastPicture(window), "Precision"));

    engine.SetPrecisionReadout({true, 2.0});
    // A record of 32 blocks, then its analysis over the next ones.
    ASSERT_TRUE(testing::DeliverBlocks(bench, engine, 2 * 32));
    const std::vector<std::string> texts = PrecisionTextsOfLastPicture(window);
    EXPECT_TRUE(HasPrecisionLine(texts, "Precision 65536pt 20-20000Hz"));
    // Left: the generator's output itself, -1 dBFS of a 16-bit full scale, 2 V for full scale.
    const double amplitude = std::pow(10.0, -1.0 / 20) * 32767 / 32768;
    EXPECT_TRUE(HasPrecisionLine(texts, "L " + FixedText(20 * std::log10(amplitude), 2) +
                                            "dBFS 997.00Hz " + FixedText(2 * amplitude, 4) + "V"));
    // Right: y += a (u - y), then y + c2 y^2 + c3 y^3, whose fundamental is B (1 + 3/4 c3 B^2).
    const DeviceUnderTest dut;
    const std::complex<double> h = testing::ModelResponse(997.0, kPrecisionRate, dut);
    const double b = std::abs(h) * amplitude;
    const double gainDb = 20 * std::log10(std::abs(h) * (1 + 0.75 * dut.thirdHarmonic * b * b));
    double readGain = NAN, readPhase = NAN;
    for (const std::string& text : texts)
        std::sscanf(text.c_str(), "R/L %lfdB %lfdeg", &readGain, &readPhase);
    EXPECT_NEAR(readGain, gainDb, 0.01) << ::testing::PrintToString(texts);
    EXPECT_NEAR(readPhase, std::arg(h) * 180 / std::numbers::pi, 0.02);

    engine.SetPrecisionReadout({false, 2.0});
    ASSERT_TRUE(testing::DeliverBlocks(bench, engine, 2));
    EXPECT_FALSE(HasPrecisionLine(PrecisionTextsOfLastPicture(window), "Precision"));
    EXPECT_TRUE(engine.Stop());
}

}  // namespace
}  // namespace velmora2
