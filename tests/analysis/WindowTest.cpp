#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "analysis/Window.h"
#include "reference/SpectrumReference.h"

namespace velmora2 {
namespace {

// The window's coefficients, all 1 for the rectangular window it has no table for.
std::vector<double> Coefficients(WindowFunction& window, const std::string& name, int n) {
    const double* w = window.Coefficients(name);
    if (w == nullptr) return std::vector<double>(n, 1.0);
    return std::vector<double>(w, w + n);
}

std::vector<double> Coefficients(const std::string& name, int n) {
    WindowFunction window(n);
    return Coefficients(window, name, n);
}

// input[i] * w[i], as the transform applies the window.
std::vector<double> Windowed(WindowFunction& window, const std::string& name,
                             const std::vector<double>& input) {
    const int n = static_cast<int>(input.size());
    const std::vector<double> w = Coefficients(window, name, n);
    std::vector<double> output(n);
    for (int i = 0; i < n; ++i) output[i] = input[i] * w[i];
    return output;
}

struct NameCase {
    const char* description;
    const char* name;
    WindowKind kind;
};

class WindowNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(WindowNames, SelectsTheShapeByExactName) {
    EXPECT_EQ(WindowKindFromName(GetParam().name), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(Names, WindowNames,
                         ::testing::Values(NameCase{"hann", "han", WindowKind::Han},
                                           NameCase{"hamming", "ham", WindowKind::Ham},
                                           NameCase{"blackman", "black", WindowKind::Black},
                                           NameCase{"four_term", "black-h", WindowKind::BlackH},
                                           NameCase{"triangle", "bart", WindowKind::Bart},
                                           NameCase{"rect", "rect", WindowKind::Rect},
                                           NameCase{"capital_letter", "Han", WindowKind::Rect},
                                           NameCase{"prefix_only", "black-", WindowKind::Rect},
                                           NameCase{"trailing_space", "han ", WindowKind::Rect},
                                           NameCase{"empty", "", WindowKind::Rect}),
                         [](const auto& info) { return std::string(info.param.description); });

TEST(Window, RectangularWindowsHaveNoTable) {
    WindowFunction window(256);
    for (const char* name : {"Han", "rect", ""})
        EXPECT_EQ(window.Coefficients(name), nullptr) << name;
    EXPECT_NE(window.Coefficients("han"), nullptr);
}

TEST(Window, TriangleRisesToTheCentreAndFallsBackToZero) {
    const std::vector<double> w = Coefficients("bart", 256);
    EXPECT_EQ(w[0], 0.0);
    EXPECT_DOUBLE_EQ(w[127], 254.0 / 255.0);
    EXPECT_DOUBLE_EQ(w[128], 254.0 / 255.0);
    EXPECT_NEAR(w[255], 0.0, 1e-15);
    for (double c : w) EXPECT_LE(c, 1.0);
}

TEST(Window, FourTermEndsStayJustAboveZero) {
    const std::vector<double> w = Coefficients("black-h", 256);
    EXPECT_GT(w[0], 0.0);
    EXPECT_GT(w[255], 0.0);
    EXPECT_NEAR(w[0], 0.00006, 0.000005);
    // Only nearly symmetric: the window's pi is not pi.
    EXPECT_NEAR(w[255], w[0], 1e-9);
}

TEST(Window, SymmetricShapesHitTheirEndValues) {
    EXPECT_NEAR(Coefficients("han", 256)[0], 0.0, 1e-15);
    EXPECT_NEAR(Coefficients("ham", 256)[255], 0.08, 1e-12);
    EXPECT_NEAR(Coefficients("black", 256)[0], 0.0, 1e-15);
}

// Switching names on one window object must never serve the previous name's coefficients.
TEST(Window, ChangingTheNameRecomputesTheCoefficients) {
    const int n = 2048;
    std::vector<double> input(n);
    for (int i = 0; i < n; ++i) input[i] = (i * 7919) % 65536 - 32768;
    WindowFunction window(n);
    std::vector<double> expected(n);
    for (const char* name : {"han", "black", "rect", "black-h", "han", "bart", "Han", "ham"}) {
        const std::vector<double> produced = Windowed(window, name, input);
        reference::ApplyWindow(name, n, input.data(), expected.data());
        EXPECT_EQ(std::memcmp(produced.data(), expected.data(), sizeof(double) * n), 0) << name;
    }
}

// Preparing one window ahead, then applying the same or another one: every application still
// matches the reference bit for bit, prepared or not.
TEST(Window, PreparedAheadOrNotTheSameCoefficients) {
    const int n = 4096;
    std::vector<double> input(n);
    for (int i = 0; i < n; ++i) input[i] = (i * 7919) % 65536 - 32768;
    struct Step {
        const char* prepared;
        const char* applied;
    };
    WindowFunction window(n);
    std::vector<double> expected(n);
    for (const Step step : {Step{"black-h", "black-h"}, Step{"han", "black-h"}, Step{"rect", "ham"},
                            Step{"bart", "bart"}, Step{"Han", "black"}}) {
        window.Prepare(step.prepared);
        const std::vector<double> produced = Windowed(window, step.applied, input);
        reference::ApplyWindow(step.applied, n, input.data(), expected.data());
        EXPECT_EQ(std::memcmp(produced.data(), expected.data(), sizeof(double) * n), 0)
            << step.prepared << " then " << step.applied;
    }
}

}  // namespace
}  // namespace velmora2
