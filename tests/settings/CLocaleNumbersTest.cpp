// The leading-number reading of the settings values, and the cut of over-long text.
#include <gtest/gtest.h>

#include <cmath>

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

}  // namespace
}  // namespace velmora2
