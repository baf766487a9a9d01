#include "display/ReadoutText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace velmora2 {
namespace {

// Longest fixed text below kLargestShown: sign, 16 digits (rounding up may add one), point and the
// decimals.
constexpr int kMaxPrecision = 20;
constexpr size_t kNumberChars = 1 + 16 + 1 + kMaxPrecision;

}  // namespace

ReadoutText& ReadoutText::Fixed(double value, int width, int precision) {
    if (!std::isfinite(value) || std::fabs(value) >= kLargestShown) {
        AppendPadded(kNoValue, width);
        return *this;
    }
    std::array<char, kNumberChars> number{};
    const auto result =
        std::to_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed,
                      std::clamp(precision, 0, kMaxPrecision));
    if (result.ec != std::errc()) {
        AppendPadded(kNoValue, width);
        return *this;
    }
    AppendPadded({number.data(), static_cast<size_t>(result.ptr - number.data())}, width);
    return *this;
}

ReadoutText& ReadoutText::Integer(int64_t value) {
    std::array<char, 24> number{};
    const auto result = std::to_chars(number.data(), number.data() + number.size(), value);
    return Literal({number.data(), static_cast<size_t>(result.ptr - number.data())});
}

ReadoutText& ReadoutText::Literal(std::string_view text) {
    size_t count = std::min(text.size(), kCapacity - length_);
    // A cut must not split a UTF-8 sequence: half a character would show as garbage.
    while (count > 0 && count < text.size() &&
           (static_cast<unsigned char>(text[count]) & 0xC0) == 0x80)
        --count;
    std::copy_n(text.data(), count, chars_.data() + length_);
    length_ += count;
    return *this;
}

void ReadoutText::AppendPadded(std::string_view text, int width) {
    const size_t padding =
        std::min(static_cast<size_t>(std::max(0, width - static_cast<int>(text.size()))),
                 kCapacity - length_);
    std::fill_n(chars_.data() + length_, padding, ' ');
    length_ += padding;
    Literal(text);
}

}  // namespace velmora2
