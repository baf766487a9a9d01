// A command-line value read as a finite number, the whole text and nothing else.
#pragma once

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace velmora2 {

inline std::optional<double> ParseNumber(std::string_view text) {
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace velmora2
