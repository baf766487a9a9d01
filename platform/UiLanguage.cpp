#include "platform/UiLanguage.h"

namespace velmora2 {

namespace {

UiLanguage FromLocale(std::string_view locale) {
    if (locale.empty() || locale == "C" || locale.starts_with("C.") || locale == "POSIX")
        return UiLanguage::Japanese;
    if (locale == "ja" || locale.starts_with("ja_") || locale.starts_with("ja."))
        return UiLanguage::Japanese;
    return UiLanguage::English;
}

}  // namespace

LanguageChoice ChooseUiLanguage(std::string_view variable, std::string_view locale) {
    if (variable == "ja") return {UiLanguage::Japanese, {}};
    if (variable == "en") return {UiLanguage::English, {}};
    LanguageChoice choice{FromLocale(locale), {}};
    if (!variable.empty())
        choice.warning = std::string(kLanguageVariable) + "=" + std::string(variable) +
                         " is not a language of this program (use \"ja\" or \"en\"); following "
                         "the locale";
    return choice;
}

}  // namespace velmora2
