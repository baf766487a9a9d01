#include "app/TimerSafeServices.h"

namespace velmora2 {

void TimerSafeServices::MessageBox(const std::string& text, const std::string& title,
                                   MessageIcon icon) {
    StopTimerInTick();
    window_.MessageBox(text, title, icon);
}

int TimerSafeServices::RunModal(ModalDialog& dialog) {
    StopTimerInTick();
    return window_.RunModal(dialog);
}

std::optional<std::string> TimerSafeServices::ChooseFileToOpen(
    const std::string& initialName, const std::vector<FileFilter>& filters) {
    StopTimerInTick();
    return window_.ChooseFileToOpen(initialName, filters);
}

void TimerSafeServices::StopTimerInTick() {
    if (inTick_) window_.KillTimer(guardedTimerId_);
}

}  // namespace velmora2
