// The main window's services for a command without a display. Timer 1's period is kept for the
// command's own clock to read; actions posted from other threads and single shots wait until the
// command runs them; modal dialogs are initialised on an in-memory view, where the device list
// closes itself, and any dialog that would wait for the user is cancelled; message boxes are not
// shown. Whatever would have been put before the user is kept as a one-line problem.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/DialogView.h"

namespace velmora2 {

class HeadlessServices final : public DialogServices {
public:
    void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    int RunModal(ModalDialog& dialog) override;
    int SetTimer(int timerId, int periodMs) override;
    void KillTimer(int timerId) override { timers_.erase(timerId); }
    // Runs with the posted actions: nothing here waits for a user.
    void SingleShot(int delayMs, std::function<void()> action) override;
    // There is nobody to choose a file.
    std::optional<std::string> ChooseFileToOpen(const std::string&,
                                                const std::vector<FileFilter>&) override {
        return std::nullopt;
    }
    // Ends the innermost running dialog, or else the window these services belong to.
    void EndDialog(int result) override;
    void PostToUserInterface(std::function<void()> action) override;

    // The period of a running timer, if it runs.
    std::optional<int> TimerPeriod(int timerId) const;
    // The result the window itself was ended with, if it was.
    std::optional<int> EndResult() const { return endResult_; }
    // Runs the waiting actions in the order they came (not those they post in turn).
    void RunPosted();
    // What would have been shown to the user, in order, each as one line.
    const std::vector<std::string>& Problems() const { return problems_; }

private:
    std::map<int, int> timers_;
    std::vector<std::optional<int>> modalEnds_;  // innermost last
    std::optional<int> endResult_;
    std::mutex postedMutex_;
    std::vector<std::function<void()>> posted_;
    std::vector<std::string> problems_;
};

// A message box's text as one line: its line breaks become spaces, runs of blanks one space.
std::string OneLine(const std::string& text);

}  // namespace velmora2
