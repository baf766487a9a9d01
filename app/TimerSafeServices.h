// The window's services as the main window's handlers use them. While a tick of timer 1 is being
// handled, a message box, modal dialog or file chooser kills timer 1 before it opens: its nested
// event loop would otherwise deliver the next tick into the handler that is still waiting for the
// box. Whoever needs the timer again after the box sets it anew.
#pragma once

#include "dialogs/DialogView.h"

namespace velmora2 {

class TimerSafeServices final : public DialogServices {
public:
    TimerSafeServices(DialogServices& window, int guardedTimerId)
        : window_(window), guardedTimerId_(guardedTimerId) {}

    // Marks the handling of one tick of the guarded timer for its lifetime.
    class Tick {
    public:
        explicit Tick(TimerSafeServices& services) : services_(services) {
            services_.inTick_ = true;
        }
        ~Tick() { services_.inTick_ = false; }
        Tick(const Tick&) = delete;
        Tick& operator=(const Tick&) = delete;

    private:
        TimerSafeServices& services_;
    };

    bool InTick() const { return inTick_; }

    void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    int RunModal(ModalDialog& dialog) override;
    std::optional<std::string> ChooseFileToOpen(const std::string& initialName,
                                                const std::vector<FileFilter>& filters) override;
    int SetTimer(int timerId, int periodMs) override { return window_.SetTimer(timerId, periodMs); }
    void KillTimer(int timerId) override { window_.KillTimer(timerId); }
    void SingleShot(int delayMs, std::function<void()> action) override {
        window_.SingleShot(delayMs, std::move(action));
    }
    void EndDialog(int result) override { window_.EndDialog(result); }
    void PostToUserInterface(std::function<void()> action) override {
        window_.PostToUserInterface(std::move(action));
    }

private:
    void StopTimerInTick();

    DialogServices& window_;
    const int guardedTimerId_;
    bool inTick_ = false;
};

}  // namespace velmora2
