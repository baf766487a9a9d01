#include "qt/QtModalDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

#include "qt/QtControls.h"
#include "qt/UiTranslation.h"

namespace velmora2 {

namespace {

// Closely spaced check marks and compact tabs, so that captions laid out to the pixel for the
// original platform's narrower controls keep their room.
constexpr const char* kDialogStyle =
    "QTabBar::tab { padding: 3px 5px; } QRadioButton, QCheckBox { spacing: 3px; }";

}  // namespace

QtModalDialog::QtModalDialog(const DialogTemplate& layout, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Translated(layout.title));
    QFont font = PanelFont();
    if (layout.fontPixels > 0) font.setPixelSize(layout.fontPixels);
    setFont(font);
    setStyleSheet(QString::fromLatin1(kDialogStyle));
    setFixedSize(DialogUnitsToPixelsX(layout.widthUnits), DialogUnitsToPixelsY(layout.heightUnits));
    for (int i = 0; i < layout.controlCount; ++i) {
        const ControlTemplate& control = layout.controls[i];
        QWidget* widget = CreateControl(control, this);
        if (control.id == kNoControlId) continue;
        view_.Add(control.id, widget);
        const int id = control.id;
        if (auto* push = qobject_cast<QPushButton*>(widget)) push->setDefault(id == kIdOk);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            connect(button, &QAbstractButton::clicked, this, [this, id] {
                if (onCommand_) onCommand_(id);
            });
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            connect(list, &QComboBox::activated, this, [this, id] {
                if (onNotify_) onNotify_(id, ControlNotification::CloseUp);
            });
        } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
            connect(tabs, &QTabWidget::currentChanged, this, [this, id] {
                if (onNotify_) onNotify_(id, ControlNotification::SelectionChanged);
            });
        }
    }
    // Tab frames lie under everything, group boxes included.
    for (auto* tabs : findChildren<QTabWidget*>(Qt::FindDirectChildrenOnly)) tabs->lower();
}

void QtModalDialog::reject() {
    if (onCommand_) onCommand_(kIdCancel);
}

}  // namespace velmora2
