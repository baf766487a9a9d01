#include "app/CloseAfter.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace velmora2 {

std::optional<int> CloseAfterFromEnvironment() {
    const char* value = std::getenv(kCloseAfterVariable);
    if (value == nullptr) return std::nullopt;
    const std::string_view text = value;
    int ms = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ms);
    if (error == std::errc{} && end == text.data() + text.size() && ms > 0) return ms;
    std::fprintf(stderr, "%s=%s is not a time in milliseconds; ignored\n", kCloseAfterVariable,
                 value);
    return std::nullopt;
}

}  // namespace velmora2
