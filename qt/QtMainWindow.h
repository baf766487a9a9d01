// The main window: a fixed-size window that builds its controls from a dialog template, shows the
// engine's pictures through its client area, and hands clicks, spin changes and the close to
// handlers by control id. It decides nothing itself.
#pragma once

#include <QWidget>
#include <functional>
#include <span>

#include "dialogs/ControlTemplate.h"
#include "qt/QtClientArea.h"
#include "qt/QtDialogView.h"

namespace velmora2 {

class QtMainWindow final : public QWidget {
public:
    // controls must outlive the window. Sizes are in dialog units.
    QtMainWindow(std::span<const ControlTemplate> controls, int widthUnits, int heightUnits,
                 const char* titleUtf8);

    QtClientArea& ClientArea() { return clientArea_; }
    QtDialogView& View() { return view_; }

    // Push buttons, check boxes and radio buttons, after the click has taken effect.
    void SetClickHandler(std::function<void(int id)> handler) { onClick_ = std::move(handler); }
    // Up-down controls: new position and the step taken.
    void SetSpinHandler(std::function<void(int id, int position, int step)> handler) {
        onSpin_ = std::move(handler);
    }
    // Runs when the user closes the window, before anything of the window is released.
    void SetCloseHandler(std::function<void()> handler) { onClose_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void AddControl(const ControlTemplate& control);
    void ClickRadio(const ControlTemplate& radio);

    const std::span<const ControlTemplate> controls_;
    QtClientArea clientArea_;
    QtDialogView view_;
    std::function<void(int)> onClick_;
    std::function<void(int, int, int)> onSpin_;
    std::function<void()> onClose_;
};

}  // namespace velmora2
