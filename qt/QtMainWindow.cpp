#include "qt/QtMainWindow.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QFont>
#include <QPaintEvent>
#include <QPainter>

#include "qt/QtControls.h"
#include "qt/SpinButton.h"
#include "qt/UiTranslation.h"

namespace velmora2 {

namespace {

QSize ClientSize(int widthUnits, int heightUnits) {
    return {DialogUnitsToPixelsX(widthUnits), DialogUnitsToPixelsY(heightUnits)};
}

}  // namespace

QtMainWindow::QtMainWindow(std::span<const ControlTemplate> controls, int widthUnits,
                           int heightUnits, const char* titleUtf8)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      controls_(controls),
      clientArea_(this, ClientSize(widthUnits, heightUnits), palette().color(QPalette::Window),
                  QtClientArea::PixelRatioOf(*this)) {
    setWindowTitle(Translated(titleUtf8));
    setFont(PanelFont());
    setFixedSize(ClientSize(widthUnits, heightUnits));
    // The client-area image covers the whole window, so the window's background is never seen.
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (const ControlTemplate& control : controls_) AddControl(control);
}

void QtMainWindow::AddControl(const ControlTemplate& control) {
    QWidget* widget = CreateControl(control, this);
    if (control.id == kNoControlId) return;
    view_.Add(control.id, widget);
    const int id = control.id;
    if (auto* spin = dynamic_cast<SpinButton*>(widget)) {
        spin->SetChangeHandler([this, id](int position, int step) {
            if (onSpin_) onSpin_(id, position, step);
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, &control, id] {
            if (control.kind == ControlKind::RadioButton) ClickRadio(control);
            if (onClick_) onClick_(id);
        });
    }
}

// A click always leaves the clicked radio button set and clears the rest of its group.
void QtMainWindow::ClickRadio(const ControlTemplate& radio) {
    view_.SetCheck(radio.id, true);
    if (radio.radioGroup == kNoRadioGroup) return;
    for (const ControlTemplate& other : controls_)
        if (other.radioGroup == radio.radioGroup && other.id != radio.id)
            view_.SetCheck(other.id, false);
}

void QtMainWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    clientArea_.Paint(painter, event->rect());
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    if (onClose_) onClose_();
    event->accept();
}

}  // namespace velmora2
