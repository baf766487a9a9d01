// A read-out text built in a fixed buffer, printf-style but independent of the process locale:
// the toolkit may switch LC_NUMERIC to the user's locale at start-up, and a decimal comma must
// never reach a read-out. Text that does not fit is cut off, never written past the buffer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora2 {

class ReadoutText {
public:
    // Shown instead of a number that has no finite value or is too large to read.
    static constexpr std::string_view kNoValue = "---";
    // Magnitudes from here on are shown as kNoValue: no read-out of this instrument gets there
    // with sane settings, and hundreds of digits would only cover the picture.
    static constexpr double kLargestShown = 1e15;
    static constexpr size_t kCapacity = 96;

    // As "%<width>.<precision>f" in the C locale.
    ReadoutText& Fixed(double value, int width, int precision);
    // As "%d".
    ReadoutText& Integer(int64_t value);
    ReadoutText& Literal(std::string_view text);

    std::string_view View() const { return {chars_.data(), length_}; }

private:
    void AppendPadded(std::string_view text, int width);

    std::array<char, kCapacity> chars_{};
    size_t length_ = 0;
};

}  // namespace velmora2
