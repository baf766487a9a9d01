// The interface's language: VELMORA2_LANGUAGE decides when it names ja or en; otherwise Japanese
// and the C/POSIX locale keep Japanese and every other locale gets English.
#include <gtest/gtest.h>

#include "platform/UiLanguage.h"

namespace velmora2 {
namespace {

TEST(UiLanguage, TheVariableDecidesOtherwiseTheLocale) {
    struct Case {
        const char* variable;
        const char* locale;
        UiLanguage language;
        bool warns;
    };
    using enum UiLanguage;
    const Case cases[] = {
        {"", "ja_JP", Japanese, false},   {"", "ja_JP.UTF-8", Japanese, false},
        {"", "C", Japanese, false},       {"", "C.UTF-8", Japanese, false},
        {"", "POSIX", Japanese, false},   {"", "", Japanese, false},
        {"", "en_US", English, false},    {"", "de_DE.UTF-8", English, false},
        {"", "fr_FR", English, false},    {"en", "ja_JP", English, false},
        {"ja", "de_DE", Japanese, false}, {"en", "C", English, false},
        {"de", "ja_JP", Japanese, true},  {"EN", "fr_FR", English, true},
        {"english", "C", Japanese, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.variable) + " / " + c.locale);
        const LanguageChoice choice = ChooseUiLanguage(c.variable, c.locale);
        EXPECT_EQ(choice.language, c.language);
        EXPECT_EQ(!choice.warning.empty(), c.warns) << choice.warning;
    }
}

}  // namespace
}  // namespace velmora2
