// The options dialog on real widgets: it opens modally with its five tabs, every page shows its
// captions unclipped and its controls clear of each other, clicks and list choices reach the
// dialog's logic, and Escape ends it as Cancel. Japanese and English alike. With
// VELMORA2_SCREENSHOT_DIR set, every page is saved there as options-page-N.png (-en in English).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "audio/sim/SimBench.h"
#include "dialogs/CDlgOption.h"
#include "dialogs/OptionLayout.h"
#include "qt/QtDialogServices.h"
#include "qt/QtModalDialog.h"
#include "qt/UiTranslation.h"
#include "tests/support/QtTestApplication.h"
#include "tests/support/WidgetTexts.h"

namespace velmora2 {
namespace {

// Runs the options dialog modally and hands the shown window to the user's actions.
int RunShown(CDlgOption& dialog, const std::function<void(QtModalDialog&)>& actions) {
    QtDialogServices services(nullptr);
    QTimer::singleShot(0, [&] {
        auto* shown = dynamic_cast<QtModalDialog*>(QApplication::activeModalWidget());
        if (shown == nullptr) {
            ADD_FAILURE() << "no modal options dialog";
            return;
        }
        actions(*shown);
    });
    return services.RunModal(dialog);
}

QWidget* Control(QtModalDialog& window, int id) {
    return window.View().Widget(id);
}

void SelectPage(QtModalDialog& window, int page) {
    qobject_cast<QTabWidget*>(Control(window, opt::kTabs))->setCurrentIndex(page - 1);
    QApplication::processEvents();
}

struct LanguageCase {
    UiLanguage language;
    const char* title;
    const char* screenshotSuffix;
};

class OptionDialogInLanguage : public ::testing::TestWithParam<LanguageCase> {
protected:
    OptionDialogInLanguage() { EXPECT_TRUE(InstallUiLanguage(GetParam().language)); }
    ~OptionDialogInLanguage() override { InstallUiLanguage(UiLanguage::Japanese); }
};

INSTANTIATE_TEST_SUITE_P(Languages, OptionDialogInLanguage,
                         ::testing::Values(LanguageCase{UiLanguage::Japanese, "オプション", ""},
                                           LanguageCase{UiLanguage::English, "Options", "-en"}),
                         [](const auto& info) {
                             return info.param.language == UiLanguage::English ? "English"
                                                                               : "Japanese";
                         });

// In either language no caption is clipped and no input covers another; in English no Japanese
// is left anywhere in the dialog.
TEST_P(OptionDialogInLanguage, EveryPageShowsItsControlsUnclippedAndApart) {
    SimBench bench;
    CDlgOption dialog(bench);
    const char* screenshotDir = std::getenv("VELMORA2_SCREENSHOT_DIR");
    const bool english = GetParam().language == UiLanguage::English;
    const int result = RunShown(dialog, [&](QtModalDialog& window) {
        EXPECT_EQ(window.size(), QSize(434, 429));
        EXPECT_EQ(window.windowTitle().toStdString(), GetParam().title);
        for (int page = 1; page <= kOptionPageCount; ++page) {
            SCOPED_TRACE(page);
            SelectPage(window, page);
            EXPECT_EQ(dialog.Values().lastOptionsPage, page);
            std::vector<QWidget*> inputs;
            for (const OptionControl& control : OptionControls()) {
                QWidget* widget = Control(window, control.id);
                ASSERT_NE(widget, nullptr) << control.id;
                EXPECT_EQ(widget->isVisible(), control.page == 0 || control.page == page)
                    << control.id;
                if (control.page != page) continue;
                EXPECT_EQ(testing::ClippedText(widget), "") << control.id;
                if (english) {
                    for (const QString& text : testing::ShownTexts(widget))
                        EXPECT_FALSE(testing::HasJapanese(text)) << text.toStdString();
                }
                if (control.kind != ControlKind::GroupBox && control.kind != ControlKind::Text)
                    inputs.push_back(widget);
            }
            for (size_t a = 0; a < inputs.size(); ++a)
                for (size_t b = a + 1; b < inputs.size(); ++b)
                    EXPECT_FALSE(inputs[a]->geometry().intersects(inputs[b]->geometry()))
                        << inputs[a]->geometry().x() << "," << inputs[a]->geometry().y() << " / "
                        << inputs[b]->geometry().x() << "," << inputs[b]->geometry().y();
            if (screenshotDir != nullptr)
                window.grab().save(QStringLiteral("%1/options-page-%2%3.png")
                                       .arg(QString::fromUtf8(screenshotDir))
                                       .arg(page)
                                       .arg(QString::fromUtf8(GetParam().screenshotSuffix)));
        }
        qobject_cast<QAbstractButton*>(Control(window, kIdOk))->click();
    });
    EXPECT_EQ(result, CDlgOption::kOkResult);
    EXPECT_EQ(dialog.Values().lastOptionsPage, 5);
}

TEST(OptionDialogWindow, ClicksAndListChoicesReachTheDialog) {
    SimBench bench;
    CDlgOption dialog(bench);
    dialog.Values().lastOptionsPage = 2;
    const int result = RunShown(dialog, [&](QtModalDialog& window) {
        auto* points = qobject_cast<QComboBox*>(Control(window, opt::kFftPointsList));
        EXPECT_EQ(points->currentText().toStdString(), "2048");
        EXPECT_EQ(points->height(), points->sizeHint().height()) << "the closed box only";
        points->setCurrentIndex(5);
        emit points->activated(5);
        qobject_cast<QAbstractButton*>(Control(window, opt::kWindowHanning))->click();
        qobject_cast<QAbstractButton*>(Control(window, opt::kHpfCheck))->click();
        auto* cal = qobject_cast<QLineEdit*>(Control(window, opt::kCalEdit));
        EXPECT_EQ(cal->text().toStdString(), "1");
        cal->setText(QStringLiteral("0.5"));
        qobject_cast<QAbstractButton*>(Control(window, kIdOk))->click();
    });
    EXPECT_EQ(result, CDlgOption::kOkResult);
    EXPECT_EQ(dialog.Values().settings.fftn, 8192);
    EXPECT_EQ(dialog.Values().settings.winfunc, "han");
    EXPECT_TRUE(dialog.Values().settings.hpf);
    EXPECT_EQ(dialog.Values().settings.scales.cal, 0.5);
}

TEST(OptionDialogWindow, EscapeEndsAsCancel) {
    SimBench bench;
    CDlgOption dialog(bench);
    const int result = RunShown(dialog, [](QtModalDialog& window) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&window, &escape);
    });
    EXPECT_EQ(result, CDlgOption::kCancelResult);
}

}  // namespace
}  // namespace velmora2
