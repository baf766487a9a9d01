#include "qt/QtDialogView.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <algorithm>

#include "qt/SpinButton.h"
#include "qt/UiTranslation.h"

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

// An entry field shows what it is given; captions are shown in the user's language.
void QtDialogView::SetText(int id, const std::string& utf8) {
    QWidget* widget = Widget(id);
    const QString text = Translated(utf8);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(QString::fromStdString(utf8));
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

// A drop-down list's given height includes its dropped list; the closed box keeps its own.
void QtDialogView::Move(int id, const PixelRect& place) {
    QWidget* widget = Widget(id);
    if (widget == nullptr) return;
    int height = place.height;
    if (qobject_cast<QComboBox*>(widget) != nullptr)
        height = std::min(height, widget->sizeHint().height());
    widget->setGeometry(place.x, place.y, place.width, height);
}

void QtDialogView::SetFocus(int id) {
    if (QWidget* widget = Widget(id)) widget->setFocus(Qt::OtherFocusReason);
}

void QtDialogView::AddItem(int id, const std::string& utf8) {
    QWidget* widget = Widget(id);
    const QString text = Translated(utf8);
    const QSignalBlocker quiet(widget);
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        list->addItem(text);
        // A new list shows nothing chosen until the dialog selects an item.
        if (list->count() == 1) list->setCurrentIndex(-1);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        tabs->addTab(new QWidget(tabs), text);
    }
}

void QtDialogView::SelectItem(int id, int index) {
    QWidget* widget = Widget(id);
    const QSignalBlocker quiet(widget);
    if (auto* list = qobject_cast<QComboBox*>(widget))
        list->setCurrentIndex(index);
    else if (auto* tabs = qobject_cast<QTabWidget*>(widget))
        tabs->setCurrentIndex(index);
}

int QtDialogView::SelectedItem(int id) const {
    const QWidget* widget = Widget(id);
    if (const auto* list = qobject_cast<const QComboBox*>(widget)) return list->currentIndex();
    if (const auto* tabs = qobject_cast<const QTabWidget*>(widget)) return tabs->currentIndex();
    return -1;
}

SpinButton* QtDialogView::Spin(int id) const {
    return dynamic_cast<SpinButton*>(Widget(id));
}

}  // namespace velmora2
