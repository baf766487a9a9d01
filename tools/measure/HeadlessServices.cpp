#include "tools/measure/HeadlessServices.h"

#include "dialogs/CDlgWarnWav.h"
#include "dialogs/MemoryDialogView.h"

namespace velmora2 {

std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (blank && (line.empty() || line.back() == ' ')) continue;
        line += blank ? ' ' : c;
    }
    if (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

void HeadlessServices::MessageBox(const std::string& text, const std::string& title, MessageIcon) {
    problems_.push_back(title + ": " + OneLine(text));
}

int HeadlessServices::RunModal(ModalDialog& dialog) {
    MemoryDialogView view;
    modalEnds_.emplace_back();
    dialog.OnInitDialog(view, *this);
    const std::optional<int> ended = modalEnds_.back();
    modalEnds_.pop_back();
    if (ended) return *ended;
    if (const auto* warning = dynamic_cast<const CDlgWarnWav*>(&dialog))
        problems_.push_back("tone file " + warning->FileName() + " cannot be found or played");
    else
        problems_.push_back("dialog " + std::to_string(dialog.TemplateId()) +
                            " waits for a user; cancelled");
    return kIdCancel;
}

int HeadlessServices::SetTimer(int timerId, int periodMs) {
    timers_[timerId] = periodMs;
    return timerId;
}

void HeadlessServices::SingleShot(int, std::function<void()> action) {
    PostToUserInterface(std::move(action));
}

void HeadlessServices::EndDialog(int result) {
    (modalEnds_.empty() ? endResult_ : modalEnds_.back()) = result;
}

void HeadlessServices::PostToUserInterface(std::function<void()> action) {
    const std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(action));
}

std::optional<int> HeadlessServices::TimerPeriod(int timerId) const {
    const auto found = timers_.find(timerId);
    if (found == timers_.end()) return std::nullopt;
    return found->second;
}

void HeadlessServices::RunPosted() {
    std::vector<std::function<void()>> due;
    {
        const std::lock_guard lock(postedMutex_);
        due.swap(posted_);
    }
    for (auto& action : due) action();
}

}  // namespace velmora2
