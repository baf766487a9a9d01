// The windows' and dialogs' texts in the user's language, through Qt's translation files: the
// English translation is built into the program, keyed by the Japanese source texts.
#pragma once

#include <QString>
#include <string>

#include "platform/UiLanguage.h"

namespace velmora2 {

// Installs the translation of `language` for the Qt widgets and for UiText. Japanese removes any
// installed translation. False (with the texts left in Japanese) if the translation is missing.
bool InstallUiLanguage(UiLanguage language);

// The language VELMORA2_LANGUAGE or the locale chooses, installed (a word on stderr for a
// variable that names no language of the program, or a translation that cannot be loaded).
void InstallUiLanguageFromEnvironment();

// A text for a widget in the installed language: the translation of a marked text, or the text.
QString Translated(const char* utf8);
QString Translated(const std::string& utf8);

}  // namespace velmora2
