// The command line of a subcommand as "--option value" pairs: a value read as a finite number,
// the walk over the pairs and the one-line refusals they share.
#pragma once

#include <charconv>
#include <cmath>
#include <optional>
#include <span>
#include <string>
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

struct BandHz {
    double low = 0.0;
    double high = 0.0;
};
// "LOW-HIGH" in Hz, 0 <= LOW < HIGH.
inline std::optional<BandHz> ParseBandHz(std::string_view text) {
    const size_t dash = text.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    const std::optional<double> low = ParseNumber(text.substr(0, dash));
    const std::optional<double> high = ParseNumber(text.substr(dash + 1));
    if (!low || !high || *low < 0 || !(*high > *low)) return std::nullopt;
    return BandHz{*low, *high};
}

// "--option value: hint".
inline std::string Refusal(std::string_view option, std::string_view value, std::string_view hint) {
    return std::string(option) + " " + std::string(value) + ": " + std::string(hint);
}

inline std::string UnknownOption(std::string_view option) {
    return "unknown option " + std::string(option) + " (see --help)";
}

// Calls take(option, value) for each pair of args, and take(flag, "") for the one option that
// stands alone; take returns an error line, empty when the pair is good. Returns the first error.
template <typename Take>
std::string ReadOptionPairs(std::span<const std::string_view> args, std::string_view flag,
                            Take&& take) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view option = args[i];
        std::string error;
        if (option == flag) {
            error = take(option, std::string_view());
        } else if (i + 1 >= args.size()) {
            error = std::string(option) +
                    (option.starts_with("--") ? " needs a value" : ": not an option");
        } else {
            error = take(option, args[++i]);
        }
        if (!error.empty()) return error;
    }
    return {};
}

}  // namespace velmora2
