// The keywords the main window names its mode and its spectrum axis by.
#pragma once

#include <string_view>

namespace velmora2::keyword {

constexpr std::string_view kWave = "WAVE";
constexpr std::string_view kSpectrum = "SPEC";
constexpr std::string_view kNetwork = "NETWORK";
constexpr std::string_view kLissajous = "LIS";

constexpr std::string_view kLinear = "LINEAR";
constexpr std::string_view kLog = "LOG";

}  // namespace velmora2::keyword
