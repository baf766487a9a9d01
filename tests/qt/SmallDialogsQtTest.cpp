// The small windows on Qt: the missing-file warning shown modally from the window's services,
// the splash window and the presses that hide it, and actions posted from a worker thread.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cstdlib>
#include <thread>

#include "dialogs/CDlgWarnWav.h"
#include "dialogs/CSplashWnd.h"
#include "qt/QtDialogServices.h"
#include "qt/QtSplashHost.h"
#include "tests/support/QtTestApplication.h"

namespace velmora2 {
namespace {

// Saves a grab of the widget when VELMORA2_PICTURES names a directory, to look at by eye.
void KeepPicture(QWidget& widget, const char* name) {
    if (const char* directory = std::getenv("VELMORA2_PICTURES"))
        widget.grab().save(QString::fromUtf8(directory) + "/" + name);
}

// Runs the action on the modal dialog once it is shown.
void OnceShown(std::function<void(QWidget& dialog)> action) {
    QTimer::singleShot(0, [action] {
        ASSERT_TRUE(testing::ProcessEventsUntil([] { return QApplication::activeModalWidget(); }));
        action(*QApplication::activeModalWidget());
    });
}

TEST(WarnWavWindow, ShowsTheNameBeforeItsSentenceAndClosesWithOk) {
    QWidget owner;
    QtDialogServices services(&owner);
    bool checked = false;
    OnceShown([&](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle().toStdString(), "Warning");
        EXPECT_EQ(dialog.size(), QSize(280, 158));
        const QLabel* name = nullptr;
        const QLabel* sentence = nullptr;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("sin100")) name = label;
            if (label->text() == QString::fromUtf8("が見つかりません。")) sentence = label;
        }
        ASSERT_NE(name, nullptr);
        ASSERT_NE(sentence, nullptr);
        EXPECT_TRUE(name->alignment() & Qt::AlignRight);
        EXPECT_LE(name->geometry().right(), sentence->geometry().left());
        KeepPicture(dialog, "warn-wav.png");
        checked = true;
        dialog.findChild<QPushButton*>()->click();
    });
    CDlgWarnWav warning("sin100");
    EXPECT_EQ(services.RunModal(warning), kIdOk);
    EXPECT_TRUE(checked);
}

TEST(WarnWavWindow, EscapeClosesItAsCancel) {
    QtDialogServices services(nullptr);
    OnceShown([](QWidget& dialog) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &escape);
    });
    CDlgWarnWav warning("x");
    EXPECT_EQ(services.RunModal(warning), kIdCancel);
}

TEST(QtDialogServicesPost, ActionFromAWorkerRunsOnTheUserInterfaceThread) {
    QtDialogServices services(nullptr);
    std::atomic<bool> ran{false};
    QThread* ranOn = nullptr;
    std::thread worker([&] {
        services.PostToUserInterface([&] {
            ranOn = QThread::currentThread();
            ran = true;
        });
    });
    worker.join();
    EXPECT_FALSE(ran);  // not before the event loop gets to it
    ASSERT_TRUE(testing::ProcessEventsUntil([&] { return ran.load(); }));
    EXPECT_EQ(ranOn, QApplication::instance()->thread());
}

// A window that counts the keys that reach it.
class KeyCountingWindow final : public QWidget {
public:
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
};

class SplashWindowTest : public ::testing::Test {
protected:
    void SetUp() override { CSplashWnd::EnableSplashScreen(true); }
    void TearDown() override { CSplashWnd::EnableSplashScreen(false); }

    KeyCountingWindow owner;
    QtSplashHost host{&owner};
};

TEST_F(SplashWindowTest, ShowsThePictureAndGoesAtTheFirstKeyWhichStillReachesTheWindow) {
    CSplashWnd::ShowSplashScreen();
    ASSERT_NE(host.Window(), nullptr);
    EXPECT_TRUE(host.Window()->isVisible());
    EXPECT_EQ(host.Window()->size(), QSize(220, 120));
    KeepPicture(*host.Window(), "splash.png");

    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&owner, &key);
    EXPECT_FALSE(CSplashWnd::IsShown());
    EXPECT_EQ(host.Window(), nullptr);
    EXPECT_EQ(owner.keys, 1);
}

TEST_F(SplashWindowTest, GoesByItselfAfterItsTime) {
    CSplashWnd::ShowSplashScreen();
    ASSERT_TRUE(CSplashWnd::IsShown());
    EXPECT_TRUE(testing::ProcessEventsUntil([] { return !CSplashWnd::IsShown(); }, 10000));
}

}  // namespace
}  // namespace velmora2
