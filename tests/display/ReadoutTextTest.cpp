#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <limits>
#include <string>

#include "display/ReadoutText.h"

namespace velmora2 {
namespace {

std::string Fixed(double value, int width, int precision) {
    return std::string(ReadoutText().Fixed(value, width, precision).View());
}

// printf in the C locale, which the process starts in: the reference the read-outs must match.
std::string Printf(double value, int width, int precision) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%*.*f", width, precision, value);
    return buffer;
}

TEST(ReadoutTextTest, FixedMatchesPrintfInTheCLocale) {
    const double values[] = {0.0,
                             -0.0,
                             0.8333333,
                             1.005,
                             -4.1666667,
                             2.5,
                             0.125,
                             -0.004,
                             999.9995,
                             12345.678,
                             240.0,
                             0.5,
                             1.5,
                             -2.5,
                             2.0833333,
                             1e-9,
                             -32768.0,
                             99999.99,
                             999999999999999.9};
    const struct {
        int width;
        int precision;
    } formats[] = {{5, 2}, {7, 3}, {6, 0}, {7, 4}};
    for (const auto& format : formats) {
        for (const double value : values) {
            SCOPED_TRACE(::testing::Message()
                         << value << " as %" << format.width << "." << format.precision << "f");
            EXPECT_EQ(Fixed(value, format.width, format.precision),
                      Printf(value, format.width, format.precision));
        }
    }
}

TEST(ReadoutTextTest, ValuesWithoutAReadableNumberShowAPlaceholder) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        double value;
    } cases[] = {
        {"not a number", std::numeric_limits<double>::quiet_NaN()},
        {"infinity", inf},
        {"minus infinity", -inf},
        {"huge", 1e300},
        {"largest double", std::numeric_limits<double>::max()},
        {"just too large", ReadoutText::kLargestShown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Fixed(c.value, 7, 3), "    ---");
        EXPECT_EQ(Fixed(c.value, 0, 20), "---");
    }
}

TEST(ReadoutTextTest, OverlongTextIsCutAtTheBufferWithoutSplittingACharacter) {
    ReadoutText ascii;
    ascii.Literal(std::string(200, 'x')).Literal("tail").Fixed(1.0, 500, 1);
    EXPECT_EQ(ascii.View(), std::string(ReadoutText::kCapacity, 'x'));

    // "\xC3\xA4" is a two-byte character; the cut would fall between its bytes.
    ReadoutText utf8;
    utf8.Literal(std::string(ReadoutText::kCapacity - 1, 'a')).Literal("\xC3\xA4");
    EXPECT_EQ(utf8.View(), std::string(ReadoutText::kCapacity - 1, 'a'));
}

// The toolkit may switch the numeric locale to the user's at start-up; read-outs must not follow.
TEST(ReadoutTextTest, DecimalPointStaysAPointUnderAGermanNumericLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.utf8"))
        GTEST_SKIP() << "no German locale installed";
    const std::string localised = Printf(0.83, 5, 2);
    const std::string ours = Fixed(0.83, 5, 2);
    std::setlocale(LC_NUMERIC, previous.c_str());
    ASSERT_EQ(localised, " 0,83") << "the locale did not take effect";
    EXPECT_EQ(ours, " 0.83");
}

}  // namespace
}  // namespace velmora2
