// The token reader of the settings file: the file has no line structure of its own, only tokens.
#include "settings/SettingsTokenReader.h"

#include "settings/SettingsRules.h"

namespace velmora2 {
namespace {

bool IsBlank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string CutAtCharacterBoundary(std::string text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t end = maxBytes;
    // A UTF-8 character has at most three continuation bytes; text that is not UTF-8 is cut at
    // maxBytes after at most that much backing off.
    for (int backed = 0; backed < 3 && end > 0 && IsContinuationByte(text[end]); ++backed) --end;
    text.resize(end);
    return text;
}

std::optional<SettingsToken> SettingsTokenReader::Next() {
    std::streambuf& source = *in_.rdbuf();
    using Traits = std::istream::traits_type;
    int c = source.sgetc();
    while (c != Traits::eof() && IsBlank(c)) c = source.snextc();
    if (c == Traits::eof()) return std::nullopt;

    // Keep one byte more than allowed so that the cut can see whether it splits a character; the
    // rest of an over-long token is dropped rather than read as a token of its own.
    SettingsToken token;
    std::size_t length = 0;
    while (c != Traits::eof() && !IsBlank(c)) {
        if (token.text.size() <= kMaxSettingsTextBytes)
            token.text.push_back(Traits::to_char_type(c));
        ++length;
        c = source.snextc();
    }
    token.cut = length > kMaxSettingsTextBytes;
    token.text = CutAtCharacterBoundary(std::move(token.text), kMaxSettingsTextBytes);
    return token;
}

bool SettingsTokenReader::SkipTo(std::string_view key) {
    while (const auto token = Next())
        if (token->text == key) return true;
    return false;
}

}  // namespace velmora2
