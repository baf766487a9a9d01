// Display-free stand-ins for the dialog seam: the in-memory view that keeps the state of every
// control by id, and services that record message boxes, the dialog's end, timers and single shots,
// and run modal sub-dialogs on fresh fake views.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/DialogView.h"
#include "dialogs/MemoryDialogView.h"

namespace velmora2::testing {

// The controls of a fake dialog: the production in-memory view, read back by the tests.
using FakeControl = ControlState;
using FakeDialogView = MemoryDialogView;

struct RecordedMessage {
    std::string text;
    std::string title;
    MessageIcon icon;
};

// One run of a modal sub-dialog: its template, its result and the view it was shown on.
struct ModalRun {
    int templateId = 0;
    int result = 0;
    std::unique_ptr<FakeDialogView> view;
};

class FakeDialogServices final : public DialogServices {
public:
    // What RunModal returns for a dialog that neither ends itself nor is ended by the user.
    static constexpr int kCancelResult = 2;

    // What the user does with a shown dialog of a template (for instance pressing OK on it).
    using UserActions = std::function<void(ModalDialog& dialog, FakeDialogView& view)>;

    void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    // Initialises the dialog on a fresh view with these services. A dialog that does not end
    // during its initialisation is handed to the user actions scripted for its template; its
    // result is the one given to EndDialog, else kCancelResult.
    int RunModal(ModalDialog& dialog) override;
    int SetTimer(int timerId, int periodMs) override;
    void KillTimer(int timerId) override { timers_.erase(timerId); }
    void SingleShot(int delayMs, std::function<void()> action) override;
    // Records the request and answers with the scripted choice (nothing: the user cancelled).
    std::optional<std::string> ChooseFileToOpen(const std::string& initialName,
                                                const std::vector<FileFilter>& filters) override;
    // Ends the innermost running sub-dialog, or else the window these services belong to.
    void EndDialog(int result) override;
    // Queues the action (from any thread) until RunPosted.
    void PostToUserInterface(std::function<void()> action) override;

    void AnswerModal(int templateId, UserActions actions) {
        answers_[templateId] = std::move(actions);
    }

    // What the next file choosers return.
    void AnswerFileChooser(std::optional<std::string> path) { fileChoice_ = std::move(path); }
    struct FileRequest {
        std::string initialName;
        std::vector<FileFilter> filters;
    };
    const std::vector<FileRequest>& FileRequests() const { return fileRequests_; }

    const std::vector<RecordedMessage>& Messages() const { return messages_; }
    const std::vector<ModalRun>& ModalRuns() const { return modalRuns_; }
    // The result the window itself was ended with, if it was.
    std::optional<int> EndResult() const { return endResult_; }
    // The period of a running timer, if it runs.
    std::optional<int> TimerPeriod(int timerId) const;
    // Delays of the single shots not fired yet, in the order they were asked for.
    std::vector<int> PendingSingleShots() const;
    // Fires the pending single shots (not those they ask for in turn); returns how many fired.
    int FireSingleShots();
    // Runs the posted actions in the order they came (not those they post in turn); returns how
    // many ran.
    int RunPosted();

private:
    struct PendingShot {
        int delayMs;
        std::function<void()> action;
    };

    std::vector<RecordedMessage> messages_;
    std::vector<ModalRun> modalRuns_;
    // One slot per sub-dialog being run, innermost last: the result it was ended with, if any.
    std::vector<std::optional<int>> modalEnds_;
    std::map<int, UserActions> answers_;
    std::optional<int> endResult_;
    std::map<int, int> timers_;
    std::vector<PendingShot> singleShots_;
    std::mutex postedMutex_;
    std::vector<std::function<void()>> posted_;
    std::optional<std::string> fileChoice_;
    std::vector<FileRequest> fileRequests_;
};

}  // namespace velmora2::testing
