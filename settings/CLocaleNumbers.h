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

// An entry field's number: "%.15g", the shortest general form (1.0 as "1", -50.0 as "-50").
std::string FormatGeneralNumber(double value);
// An entry field read back: the whole text (blanks around it aside) must be one finite number in
// the C locale, so "1,5" is refused rather than read as 1.
std::optional<double> ParseWholeCDouble(const std::string& text);
// The same for a whole decimal integer that fits into 32 bits.
std::optional<int32_t> ParseWholeCInt(const std::string& text);

}  // namespace velmora2
