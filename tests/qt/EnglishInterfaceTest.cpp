// The interface in English: the main window's captions all translated and unclipped, the
// messages translated with their line breaks and patterns kept, and Japanese back once the
// language is set to Japanese again. With VELMORA2_SCREENSHOT_DIR set, the window is saved there
// as main-window-en.png.
#include <gtest/gtest.h>

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/MainWindowLayout.h"
#include "app/Messages.h"
#include "dialogs/DeviceMessages.h"
#include "dialogs/OptionMessages.h"
#include "platform/UiText.h"
#include "qt/QtMainWindow.h"
#include "qt/UiTranslation.h"
#include "tests/support/QtTestApplication.h"
#include "tests/support/WidgetTexts.h"

namespace velmora2 {
namespace {

class EnglishInterfaceTest : public ::testing::Test {
protected:
    EnglishInterfaceTest() { EXPECT_TRUE(InstallUiLanguage(UiLanguage::English)); }
    ~EnglishInterfaceTest() override { InstallUiLanguage(UiLanguage::Japanese); }
};

TEST_F(EnglishInterfaceTest, EveryCaptionOfTheMainWindowIsEnglishAndHasRoom) {
    QtMainWindow window(MainWindowControls(), kMainWindowWidthUnits, kMainWindowHeightUnits,
                        MainWindowTitle());
    window.show();
    testing::ProcessEventsFor(50);
    int captions = 0;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window)) continue;
        for (const QString& text : testing::ShownTexts(widget)) {
            EXPECT_FALSE(testing::HasJapanese(text)) << text.toStdString();
            captions += !text.isEmpty();
        }
        EXPECT_EQ(testing::ClippedText(widget), "");
    }
    EXPECT_GE(captions, 30);
    EXPECT_FALSE(testing::HasJapanese(window.windowTitle()));
    if (const char* dir = std::getenv("VELMORA2_SCREENSHOT_DIR"))
        window.grab().save(QStringLiteral("%1/main-window-en.png").arg(QString::fromUtf8(dir)));
}

TEST_F(EnglishInterfaceTest, MessagesKeepTheirLineBreaksAndPatterns) {
    struct Case {
        const char* source;
        const char* english;
    };
    const Case cases[] = {
        {msg::kCannotWriteSettings,
         "Cannot write Velmora2.INI.\r\n\r\nThe file may be in use or write-protected."},
        {msg::kCannotSetUpSoundInput, "Cannot set up the sound input. \nError: %08X"},
        {msg::kNoImpulseToSave, "There is no impulse response to save."},
        {msg::kWavNameTooLong,
         "The WAV file's name is too long (99 bytes at most). \r\nChoose a file with a shorter "
         "name. "},
        {msg::kOutputDeviceProblem,
         "There is a problem with the audio device. \r\nSee Troubleshooting \r\nin the Velmora2 "
         "help. "},
    };
    for (const Case& c : cases) EXPECT_EQ(UiText(c.source), c.english);
    char formatted[128];
    std::snprintf(formatted, sizeof formatted, UiText(msg::kCannotSetUpSoundInput).c_str(),
                  0x88780078u);
    EXPECT_EQ(std::string(formatted), "Cannot set up the sound input. \nError: 88780078");
    // A text that is not marked, and a number, stay as they are.
    EXPECT_EQ(UiText("Hold/Run"), "Hold/Run");
    EXPECT_EQ(Translated("48000").toStdString(), "48000");
}

TEST_F(EnglishInterfaceTest, JapaneseComesBackWithTheJapaneseLanguage) {
    EXPECT_EQ(Translated(msg::kNoDataToSave).toStdString(), "There is no data to save.");
    ASSERT_TRUE(InstallUiLanguage(UiLanguage::Japanese));
    EXPECT_EQ(Translated(msg::kNoDataToSave).toStdString(), msg::kNoDataToSave);
    EXPECT_EQ(UiText(msg::kNoDataToSave), msg::kNoDataToSave);
}

}  // namespace
}  // namespace velmora2
