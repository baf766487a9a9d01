// The services a dialog gets in the measurement command, which has no display: a modal dialog is
// initialised on an in-memory view and ends as it ends itself there (the device list closes
// itself); one that would wait for a user is cancelled. Message boxes, timers and actions posted
// for later have nobody to reach and are dropped.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/DialogView.h"

namespace velmora2 {

class HeadlessServices final : public DialogServices {
public:
    void MessageBox(const std::string&, const std::string&, MessageIcon) override {}
    int RunModal(ModalDialog& dialog) override;
    int SetTimer(int timerId, int) override { return timerId; }
    void KillTimer(int) override {}
    void SingleShot(int, std::function<void()>) override {}
    std::optional<std::string> ChooseFileToOpen(const std::string&,
                                                const std::vector<FileFilter>&) override {
        return std::nullopt;
    }
    // Ends the innermost running dialog.
    void EndDialog(int result) override;
    void PostToUserInterface(std::function<void()>) override {}

private:
    std::vector<std::optional<int>> modalEnds_;  // innermost last
};

}  // namespace velmora2
