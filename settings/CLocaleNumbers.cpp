// The settings file must read the same on every machine, so the conversions go through a C locale
// object of their own instead of the process locale (a German locale would read "1.5" as 1).
#include "settings/CLocaleNumbers.h"

#include <locale.h>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace velmora2 {
namespace {

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

bool OnlyBlanksFrom(const char* rest) {
    return std::strspn(rest, " \t\r\n") == std::strlen(rest);
}

}  // namespace

double ParseCDouble(const std::string& text) {
    return strtod_l(text.c_str(), nullptr, CLocale());
}

std::optional<int32_t> ParseCInt(const std::string& text) {
    const long long value = strtoll_l(text.c_str(), nullptr, 10, CLocale());
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::string FormatCDouble(double value) {
    // Large enough for every double: "%f" of the largest one has 309 integer digits.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

std::string FormatCInt(int32_t value) {
    char buffer[16];  // "-2147483648" fits
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatGeneralNumber(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

std::optional<double> ParseWholeCDouble(const std::string& text) {
    char* end = nullptr;
    const double value = strtod_l(text.c_str(), &end, CLocale());
    if (end == text.c_str() || !OnlyBlanksFrom(end) || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int32_t> ParseWholeCInt(const std::string& text) {
    char* end = nullptr;
    const long long value = strtoll_l(text.c_str(), &end, 10, CLocale());
    if (end == text.c_str() || !OnlyBlanksFrom(end)) return std::nullopt;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(value);
}

}  // namespace velmora2
