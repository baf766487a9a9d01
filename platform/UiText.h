// The texts the user reads in windows and dialogs. Each is written in the program's source
// language (Japanese) and marked with VELMORA2_TEXT, which leaves it as it is in the program and
// marks it for the translation files (the text itself is the key of its translation). UiText
// gives a marked text in the user's language once the window layer has installed a translator;
// until then, and for a text without a translation, the text itself.
#pragma once

#include <functional>
#include <string>

#define VELMORA2_TEXT(text) text

namespace velmora2 {

// The translation of a marked text, or the text itself. Formatting a message translates its
// pattern first: "%d Hz" is translated, "48000 Hz" is not.
std::string UiText(const char* source);

// Installed by the window layer; empty gives every text as it is.
void SetUiTranslator(std::function<std::string(const char* source)> translator);

}  // namespace velmora2
