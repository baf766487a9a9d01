#include "qt/QtModalDialog.h"

#include <QAbstractButton>
#include <QPushButton>

#include "dialogs/DialogView.h"
#include "qt/QtControls.h"

namespace velmora2 {

QtModalDialog::QtModalDialog(const DialogTemplate& layout, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(layout.title));
    setFont(PanelFont());
    setFixedSize(DialogUnitsToPixelsX(layout.widthUnits), DialogUnitsToPixelsY(layout.heightUnits));
    for (int i = 0; i < layout.controlCount; ++i) {
        const ControlTemplate& control = layout.controls[i];
        QWidget* widget = CreateControl(control, this);
        if (control.id == kNoControlId) continue;
        view_.Add(control.id, widget);
        const int id = control.id;
        if (auto* push = qobject_cast<QPushButton*>(widget)) push->setDefault(id == kIdOk);
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            connect(button, &QAbstractButton::clicked, this, [this, id] {
                if (onCommand_) onCommand_(id);
            });
    }
}

void QtModalDialog::reject() {
    if (onCommand_) onCommand_(kIdCancel);
}

}  // namespace velmora2
