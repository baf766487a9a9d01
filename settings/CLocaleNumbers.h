// Number conversions of the settings file, always in the C locale whatever the user's locale is:
// the leading-number reading of C atof/atoi, and the "%f" / "%d" writing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velmora2 {

// Like atof: leading blanks, a sign, decimals, an exponent, "inf"/"nan"; the longest leading
// number counts ("2abc" gives 2) and no leading number gives 0. The result may be inf or nan.
double ParseCDouble(const std::string& text);

// Like atoi ("12abc" gives 12, no leading number gives 0); empty when the leading number does
// not fit into 32 bits.
std::optional<int32_t> ParseCInt(const std::string& text);

// "%f": six decimals.
std::string FormatCDouble(double value);
// "%d".
std::string FormatCInt(int32_t value);

}  // namespace velmora2
