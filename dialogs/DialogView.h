// The dialog seam. Each window or dialog is a plain C++ class that owns its state and handlers; it
// speaks to its controls by numeric id through DialogView and to the user through DialogServices.
// The Qt views implement both with real widgets; tests use fakes that record everything.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/ControlTemplate.h"

namespace velmora2 {

enum class MessageIcon { Stop, Exclamation, Information };

// The ids of a dialog's OK and Cancel buttons; Escape counts as Cancel.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

class DialogView {
public:
    virtual ~DialogView() = default;
    virtual void Enable(int id, bool enabled) = 0;
    virtual bool IsEnabled(int id) const = 0;
    virtual void SetCheck(int id, bool checked) = 0;
    virtual bool IsChecked(int id) const = 0;
    // Up-down controls: setting the range or position sends no change notification.
    virtual void SetSpinRange(int id, int lower, int upper) = 0;
    virtual void SetSpinPosition(int id, int position) = 0;
    virtual int SpinPosition(int id) const = 0;
    virtual void SetText(int id, const std::string& utf8) = 0;
    virtual std::string Text(int id) const = 0;
    virtual void Show(int id, bool visible) = 0;
    // Places a control, in pixels of the client area. A drop-down list keeps its own height.
    virtual void Move(int id, const PixelRect& place) = 0;
    virtual void SetFocus(int id) = 0;
    // Drop-down lists and tab controls: items are added at the end; selecting one by index (-1
    // for none) sends no notification.
    virtual void AddItem(int id, const std::string& utf8) = 0;
    virtual void SelectItem(int id, int index) = 0;
    virtual int SelectedItem(int id) const = 0;
};

// What a drop-down list or a tab control tells its dialog, besides clicks.
enum class ControlNotification {
    CloseUp,           // a drop-down list closed, whatever was chosen
    SelectionChanged,  // the user selected another tab
};

// One entry of a file chooser's type list, such as {"WAVE Files", "*.wav"}.
struct FileFilter {
    std::string description;
    std::string pattern;
};

class DialogServices;

// A modal dialog run by DialogServices::RunModal: its logic class, told apart by template id.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    virtual int TemplateId() const = 0;
    // Called when the dialog opens, with its own view and services. Returning with EndDialog
    // called closes it before it is shown.
    virtual void OnInitDialog(DialogView& view, DialogServices& services) = 0;
    // A button of the dialog was clicked (Escape arrives as kIdCancel). By default OK and Cancel
    // end the dialog with their own id and every other id is ignored.
    virtual void OnCommand(int id, DialogServices& services);
    // A drop-down list closed or another tab was selected by the user.
    virtual void OnNotify(int /*id*/, ControlNotification /*notification*/,
                          DialogServices& /*services*/) {}
};

class DialogServices {
public:
    virtual ~DialogServices() = default;
    // Shows a message box with an OK button; returns when it is closed.
    virtual void MessageBox(const std::string& text, const std::string& title,
                            MessageIcon icon) = 0;
    // Runs a dialog modally; returns its result.
    virtual int RunModal(ModalDialog& dialog) = 0;
    // Timer 1 of the window: a new setting replaces a running one. Returns the timer's id.
    virtual int SetTimer(int timerId, int periodMs) = 0;
    virtual void KillTimer(int timerId) = 0;
    // A one-shot timer of its own, independent of the window's numbered timers.
    virtual void SingleShot(int delayMs, std::function<void()> action) = 0;
    // Asks the user for an existing file to open, starting at initialName. Returns the chosen
    // file's full path, or nothing when the user cancelled.
    virtual std::optional<std::string> ChooseFileToOpen(const std::string& initialName,
                                                        const std::vector<FileFilter>& filters) = 0;
    // Ends this dialog with the result. During initialisation the dialog closes before it is shown.
    virtual void EndDialog(int result) = 0;
    // Runs the action on the user-interface thread, after the event being handled. Safe to call
    // from any thread; the action runs only while these services exist.
    virtual void PostToUserInterface(std::function<void()> action) = 0;
};

}  // namespace velmora2
