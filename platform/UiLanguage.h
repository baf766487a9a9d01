// Which language the windows and dialogs speak. VELMORA2_LANGUAGE=ja or en decides; otherwise the
// user's locale does: a Japanese locale, and the C or POSIX locale (no language chosen), keep the
// program's own Japanese texts; any other locale gets English, the one translation there is.
#pragma once

#include <string>
#include <string_view>

namespace velmora2 {

inline constexpr const char* kLanguageVariable = "VELMORA2_LANGUAGE";

enum class UiLanguage { Japanese, English };

struct LanguageChoice {
    UiLanguage language = UiLanguage::Japanese;
    std::string warning;  // for a variable that names no language of the program
};

// `variable` is VELMORA2_LANGUAGE's value (empty when unset); `locale` the locale's name as
// "ja_JP", "en_US.UTF-8", "C" or "POSIX".
LanguageChoice ChooseUiLanguage(std::string_view variable, std::string_view locale);

}  // namespace velmora2
