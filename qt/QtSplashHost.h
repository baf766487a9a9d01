// The splash window on Qt: a titleless window on top of the others that takes no input and shows
// the splash picture, plus the application-wide filter that tells the splash of every key and
// mouse-button press (and lets the press go on to its target).
#pragma once

#include <QObject>
#include <QPointer>

#include "dialogs/CSplashWnd.h"

class QWidget;

namespace velmora2 {

class QtSplashHost final : public QObject, public SplashHost {
public:
    // Installs itself as the application's event filter and as the splash's host.
    explicit QtSplashHost(QWidget* owner);
    ~QtSplashHost() override;

    bool Create() override;
    void StartTimer(int delayMs) override;
    void Destroy() override;

    // The splash window while it exists.
    QWidget* Window() const { return window_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* owner_;
    QPointer<QWidget> window_;
};

}  // namespace velmora2
