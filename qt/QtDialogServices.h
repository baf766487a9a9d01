// DialogServices for one window: message boxes, its numbered timers, one-shot timers and the
// end of the dialog. A dialog ended during its initialisation, before the event loop runs, keeps
// its result so that the caller can exit without entering the loop.
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "dialogs/DialogView.h"

class QDialog;
class QTimer;
class QWidget;

namespace velmora2 {

class QtDialogServices final : public DialogServices {
public:
    // The platform's result of a dialog closed with Cancel.
    static constexpr int kCancelResult = 2;

    // window: parent of the message boxes; hidden when the dialog ends. May be null.
    explicit QtDialogServices(QWidget* window);
    ~QtDialogServices() override;

    // Receives the ticks of the numbered timers.
    void SetTimerHandler(std::function<void(int timerId)> handler);
    // From here on EndDialog also leaves the event loop.
    void SetEventLoopRunning() { eventLoopRunning_ = true; }
    // The result given to EndDialog, if it was called.
    std::optional<int> EndResult() const { return endResult_; }

    void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    // Dialogs with a template (qt/DialogTemplates.h) are shown until they end; dialogs that end
    // themselves while they initialise need none. Any other is reported and counts as cancelled.
    int RunModal(ModalDialog& dialog) override;
    int SetTimer(int timerId, int periodMs) override;
    void KillTimer(int timerId) override;
    void SingleShot(int delayMs, std::function<void()> action) override;
    std::optional<std::string> ChooseFileToOpen(const std::string& initialName,
                                                const std::vector<FileFilter>& filters) override;
    void EndDialog(int result) override;
    void PostToUserInterface(std::function<void()> action) override;

private:
    // The services of a shown modal dialog: EndDialog closes that dialog with the result.
    QtDialogServices(QWidget* window, QDialog* modal);

    QDialog* modal_ = nullptr;
    QWidget* window_;
    // Owns the timers, so none can fire once these services are gone.
    QObject timerOwner_;
    std::map<int, QTimer*> timers_;
    std::function<void(int)> timerHandler_;
    bool eventLoopRunning_ = false;
    std::optional<int> endResult_;
};

}  // namespace velmora2
