#include "qt/UiTranslation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/UiText.h"

namespace velmora2 {

namespace {

// The translation files name each text's context after the namespace where it is marked; the
// translation test holds the files to these.
constexpr const char* kContexts[] = {"velmora2", "velmora2::msg"};

std::unique_ptr<QTranslator>& Installed() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

}  // namespace

bool InstallUiLanguage(UiLanguage language) {
    std::unique_ptr<QTranslator>& installed = Installed();
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    SetUiTranslator({});
    if (language == UiLanguage::Japanese) return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/velmora2_en.qm"))) return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    SetUiTranslator([](const char* source) { return Translated(source).toStdString(); });
    return true;
}

void InstallUiLanguageFromEnvironment() {
    const char* variable = std::getenv(kLanguageVariable);
    const LanguageChoice choice = ChooseUiLanguage(variable != nullptr ? variable : "",
                                                   QLocale::system().name().toStdString());
    if (!choice.warning.empty()) std::fprintf(stderr, "%s\n", choice.warning.c_str());
    if (!InstallUiLanguage(choice.language))
        std::fprintf(stderr, "the English translation cannot be loaded; showing Japanese\n");
}

QString Translated(const char* utf8) {
    const QString source = QString::fromUtf8(utf8);
    for (const char* context : kContexts) {
        const QString translated = QCoreApplication::translate(context, utf8);
        if (translated != source) return translated;
    }
    return source;
}

QString Translated(const std::string& utf8) {
    return Translated(utf8.c_str());
}

}  // namespace velmora2
