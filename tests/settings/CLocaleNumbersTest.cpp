// The leading-number reading of the settings values, and the cut of over-long text.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <optional>
#include <string>

#include "settings/CLocaleNumbers.h"
#include "settings/SettingsTokenReader.h"

namespace velmora2 {
namespace {

TEST(CLocaleNumbers, DoublesReadTheLeadingNumberLikeAtof) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"2abc", 2.0},  {"  -1.5", -1.5}, {"+3", 3.0}, {"1e3", 1000.0}, {"2.5e-1x", 0.25},
        {"abc", 0.0},   {"", 0.0},        {",5", 0.0}, {"1,5", 1.0},    {".5", 0.5},
        {"0x10", 16.0}, {"-0", -0.0},     {"1.", 1.0}, {"e5", 0.0},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseCDouble(c.text), c.value) << c.text;
    EXPECT_TRUE(std::isnan(ParseCDouble("nan")));
    EXPECT_TRUE(std::isinf(ParseCDouble("1e999")));
}

TEST(CLocaleNumbers, IntegersReadTheLeadingNumberLikeAtoi) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"48000", 48000},
        {"-5", -5},
        {"+4", 4},
        {" 7", 7},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"2.9", 2},
        {"0x10", 0},
        {"1e3", 1},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseCInt(c.text), c.value) << c.text;
    for (const char* tooBig : {"2147483648", "-2147483649", "99999999999999999999999"})
        EXPECT_FALSE(ParseCInt(tooBig).has_value()) << tooBig;
}

TEST(CLocaleNumbers, CutBacksOffToTheStartOfACharacter) {
    const struct {
        std::string text;
        size_t maxBytes;
        std::string cut;
    } cases[] = {
        {"abcdef", 6, "abcdef"},
        {"abcdef", 4, "abcd"},
        {"ab\xC3\xA9", 3, "ab"},
        {"a\xE3\x81\x82", 3, "a"},
        {"a\xE3\x81\x82", 2, "a"},
        {"\xF0\x9F\x8E\xB5z", 4, "\xF0\x9F\x8E\xB5"},
        {"\xF0\x9F\x8E\xB5z", 3, ""},
        // Not UTF-8: a run of continuation bytes is cut after at most three bytes of backing off.
        {"abc\x80\x80\x80\x80\x80", 6, "abc"},
        {"a\x80\x80\x80\x80\x80\x80", 6, "a\x80\x80"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CutAtCharacterBoundary(c.text, c.maxBytes), c.cut) << c.text << " " << c.maxBytes;
}

// Entry fields show the shortest general form and read back only a whole number, whatever the
// user's locale says about decimal commas.
TEST(CLocaleNumbers, EntryFieldsRoundTripInTheCLocaleUnderAGermanLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    const struct {
        double value;
        const char* shown;
    } shown[] = {
        {1.0, "1"},
        {-50.0, "-50"},
        {300.0, "300"},
        {0.01, "0.01"},
        {1.5, "1.5"},
        {30.25, "30.25"},
        {1.0 / 3.0, "0.333333333333333"},
        {1e20, "1e+20"},
        {-0.0, "-0"},
    };
    for (const auto& c : shown) {
        EXPECT_EQ(FormatGeneralNumber(c.value), c.shown);
        const std::optional<double> readBack = ParseWholeCDouble(c.shown);
        ASSERT_TRUE(readBack.has_value()) << c.shown;
        EXPECT_EQ(FormatGeneralNumber(*readBack), c.shown);
    }
    const struct {
        const char* text;
        std::optional<double> number;
        std::optional<int32_t> integer;
    } read[] = {
        {"1.5", 1.5, std::nullopt},
        {" 2 ", 2.0, 2},
        {"1,5", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"   ", std::nullopt, std::nullopt},
        {"2abc", std::nullopt, std::nullopt},
        {"-7", -7.0, -7},
        {"1e3", 1000.0, std::nullopt},
        {"inf", std::nullopt, std::nullopt},
        {"nan", std::nullopt, std::nullopt},
        {"2147483648", 2147483648.0, std::nullopt},
    };
    for (const auto& c : read) {
        EXPECT_EQ(ParseWholeCDouble(c.text), c.number) << c.text;
        EXPECT_EQ(ParseWholeCInt(c.text), c.integer) << c.text;
    }
    std::setlocale(LC_ALL, previous.c_str());
    if (!german) GTEST_SKIP() << "no German locale installed; checked in the C locale only";
}

}  // namespace
}  // namespace velmora2
