#include "platform/UiText.h"

#include <mutex>

namespace velmora2 {

namespace {

std::mutex& TranslatorMutex() {
    static std::mutex mutex;
    return mutex;
}

std::function<std::string(const char*)>& Translator() {
    static std::function<std::string(const char*)> translator;
    return translator;
}

}  // namespace

std::string UiText(const char* source) {
    std::lock_guard lock(TranslatorMutex());
    return Translator() ? Translator()(source) : std::string(source);
}

void SetUiTranslator(std::function<std::string(const char* source)> translator) {
    std::lock_guard lock(TranslatorMutex());
    Translator() = std::move(translator);
}

}  // namespace velmora2
