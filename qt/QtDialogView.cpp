#include "qt/QtDialogView.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "qt/SpinButton.h"

namespace velmora2 {

void QtDialogView::Add(int id, QWidget* widget) {
    widgets_[id] = widget;
}

QWidget* QtDialogView::Widget(int id) const {
    const auto found = widgets_.find(id);
    return found == widgets_.end() ? nullptr : found->second;
}

void QtDialogView::Enable(int id, bool enabled) {
    if (QWidget* widget = Widget(id)) widget->setEnabled(enabled);
}

bool QtDialogView::IsEnabled(int id) const {
    const QWidget* widget = Widget(id);
    return widget != nullptr && widget->isEnabled();
}

// Setting one radio button leaves the others of its group alone, as on the platform; only a
// click makes the group exclusive.
void QtDialogView::SetCheck(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(Widget(id))) button->setChecked(checked);
}

bool QtDialogView::IsChecked(int id) const {
    const auto* button = qobject_cast<const QAbstractButton*>(Widget(id));
    return button != nullptr && button->isChecked();
}

void QtDialogView::SetSpinRange(int id, int lower, int upper) {
    if (SpinButton* spin = Spin(id)) spin->SetRange(lower, upper);
}

void QtDialogView::SetSpinPosition(int id, int position) {
    if (SpinButton* spin = Spin(id)) spin->SetPosition(position);
}

int QtDialogView::SpinPosition(int id) const {
    const SpinButton* spin = Spin(id);
    return spin == nullptr ? 0 : spin->Position();
}

void QtDialogView::SetText(int id, const std::string& utf8) {
    QWidget* widget = Widget(id);
    const QString text = QString::fromStdString(utf8);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(text);
}

std::string QtDialogView::Text(int id) const {
    const QWidget* widget = Widget(id);
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text().toStdString();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text().toStdString();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text().toStdString();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title().toStdString();
    return {};
}

void QtDialogView::Show(int id, bool visible) {
    if (QWidget* widget = Widget(id)) widget->setVisible(visible);
}

SpinButton* QtDialogView::Spin(int id) const {
    return dynamic_cast<SpinButton*>(Widget(id));
}

}  // namespace velmora2
