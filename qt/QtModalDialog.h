// A modal dialog window built from a dialog template: the controls at their places, the title,
// and every button click, list close-up, tab change and Escape handed on by control id. It
// decides nothing itself.
#pragma once

#include <QDialog>
#include <functional>

#include "dialogs/ControlTemplate.h"
#include "dialogs/DialogView.h"
#include "qt/QtDialogView.h"

namespace velmora2 {

class QtModalDialog final : public QDialog {
public:
    // The template must outlive the dialog.
    QtModalDialog(const DialogTemplate& layout, QWidget* parent);

    QtDialogView& View() { return view_; }
    // Push buttons, check boxes and radio buttons; Escape and the window's close arrive as
    // kIdCancel.
    void SetCommandHandler(std::function<void(int id)> handler) { onCommand_ = std::move(handler); }
    // Drop-down lists closed by the user and tab changes made by the user.
    void SetNotifyHandler(std::function<void(int id, ControlNotification)> handler) {
        onNotify_ = std::move(handler);
    }

    // Escape and the close button: the dialog's logic decides whether it ends.
    void reject() override;

private:
    QtDialogView view_;
    std::function<void(int)> onCommand_;
    std::function<void(int, ControlNotification)> onNotify_;
};

}  // namespace velmora2
