// Reads the settings file as a stream of white-space separated tokens (blanks, tabs, CR and LF
// alike), each cut to at most kMaxSettingsTextBytes bytes without splitting a UTF-8 character.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace velmora2 {

struct SettingsToken {
    std::string text;
    bool cut = false;  // the token in the file was longer than text
};

class SettingsTokenReader {
public:
    explicit SettingsTokenReader(std::istream& in) : in_(in) {}

    // The next token; empty at the end of the input.
    std::optional<SettingsToken> Next();
    // Reads tokens up to and including the first one equal to key. False when the input ended
    // first: the reader then stays at the end.
    bool SkipTo(std::string_view key);

private:
    std::istream& in_;
};

// text cut to at most maxBytes bytes, backing off to the start of a UTF-8 character that would
// otherwise be split.
std::string CutAtCharacterBoundary(std::string text, std::size_t maxBytes);

}  // namespace velmora2
