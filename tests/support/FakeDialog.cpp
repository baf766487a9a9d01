#include "tests/support/FakeDialog.h"

#include <utility>

namespace velmora2::testing {

void FakeDialogServices::MessageBox(const std::string& text, const std::string& title,
                                    MessageIcon icon) {
    messages_.push_back({text, title, icon});
}

int FakeDialogServices::RunModal(ModalDialog& dialog) {
    auto view = std::make_unique<FakeDialogView>();
    modalEnds_.emplace_back();
    dialog.OnInitDialog(*view, *this);
    if (!modalEnds_.back()) {
        const auto answer = answers_.find(dialog.TemplateId());
        if (answer != answers_.end()) answer->second(dialog, *view);
    }
    const int result = modalEnds_.back().value_or(kCancelResult);
    modalEnds_.pop_back();
    modalRuns_.push_back({dialog.TemplateId(), result, std::move(view)});
    return result;
}

int FakeDialogServices::SetTimer(int timerId, int periodMs) {
    timers_[timerId] = periodMs;
    return timerId;
}

void FakeDialogServices::SingleShot(int delayMs, std::function<void()> action) {
    singleShots_.push_back({delayMs, std::move(action)});
}

std::optional<std::string> FakeDialogServices::ChooseFileToOpen(
    const std::string& initialName, const std::vector<FileFilter>& filters) {
    fileRequests_.push_back({initialName, filters});
    return fileChoice_;
}

void FakeDialogServices::EndDialog(int result) {
    std::optional<int>& slot = modalEnds_.empty() ? endResult_ : modalEnds_.back();
    slot = result;
}

std::optional<int> FakeDialogServices::TimerPeriod(int timerId) const {
    const auto found = timers_.find(timerId);
    if (found == timers_.end()) return std::nullopt;
    return found->second;
}

std::vector<int> FakeDialogServices::PendingSingleShots() const {
    std::vector<int> delays;
    for (const PendingShot& shot : singleShots_) delays.push_back(shot.delayMs);
    return delays;
}

int FakeDialogServices::FireSingleShots() {
    std::vector<PendingShot> due = std::exchange(singleShots_, {});
    for (PendingShot& shot : due) shot.action();
    return static_cast<int>(due.size());
}

void FakeDialogServices::PostToUserInterface(std::function<void()> action) {
    const std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(action));
}

int FakeDialogServices::RunPosted() {
    std::vector<std::function<void()>> due;
    {
        const std::lock_guard lock(postedMutex_);
        due.swap(posted_);
    }
    for (auto& action : due) action();
    return static_cast<int>(due.size());
}

}  // namespace velmora2::testing
