#include "qt/QtSplashHost.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "dialogs/SplashPicture.h"
#include "qt/QImageSurface.h"

namespace velmora2 {

namespace {

InputEvent Classify(const QEvent& event) {
    switch (event.type()) {
        case QEvent::KeyPress:
            return InputEvent::KeyPress;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
            return InputEvent::MouseButtonPress;
        default:
            return InputEvent::Other;
    }
}

QPoint CentredOver(const QWidget* owner, QSize size) {
    QRect area;
    if (owner != nullptr && owner->isVisible())
        area = owner->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    return area.center() - QPoint(size.width() / 2, size.height() / 2);
}

}  // namespace

QtSplashHost::QtSplashHost(QWidget* owner) : owner_(owner) {
    qApp->installEventFilter(this);
    CSplashWnd::SetHost(this);
}

QtSplashHost::~QtSplashHost() {
    CSplashWnd::SetHost(nullptr);
    qApp->removeEventFilter(this);
}

bool QtSplashHost::Create() {
    QImageSurface picture(CSplashWnd::kWidth, CSplashWnd::kHeight, Rgb{});
    DrawSplashPicture(picture);
    auto* label =
        new QLabel(owner_, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    label->setAttribute(Qt::WA_ShowWithoutActivating);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setFocusPolicy(Qt::NoFocus);
    label->setPixmap(QPixmap::fromImage(picture.Image()));
    label->setFixedSize(picture.Image().size());
    label->move(CentredOver(owner_, label->size()));
    label->show();
    label->repaint();
    window_ = label;
    return true;
}

void QtSplashHost::StartTimer(int delayMs) {
    if (window_) QTimer::singleShot(delayMs, window_, [] { CSplashWnd::OnTimer(); });
}

void QtSplashHost::Destroy() {
    if (window_) {
        window_->hide();
        window_->deleteLater();
        window_ = nullptr;
    }
    if (owner_ != nullptr && owner_->isVisible()) owner_->repaint();
}

bool QtSplashHost::eventFilter(QObject* watched, QEvent* event) {
    // A press reaches the filter once for each widget it bubbles through; the first one hides.
    if (watched->isWidgetType()) CSplashWnd::PreTranslateAppMessage(Classify(*event));
    return false;
}

}  // namespace velmora2
