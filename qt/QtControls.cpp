#include "qt/QtControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "qt/SpinButton.h"
#include "qt/UiTranslation.h"

namespace velmora2 {

namespace {

// The caption sits on the frame line, so the frame encloses the whole box as laid out.
constexpr const char* kGroupBoxStyle =
    "QGroupBox { border: 1px solid palette(mid); margin-top: 0.5em; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }";

QWidget* CreateWidget(const ControlTemplate& control, const QRect& geometry, QWidget* parent) {
    const QString caption = Translated(control.caption);
    switch (control.kind) {
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(caption, parent);
            radio->setAutoExclusive(false);
            return radio;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(caption, parent);
        case ControlKind::PushButton:
            return new QPushButton(caption, parent);
        case ControlKind::Edit:
            return new QLineEdit(caption, parent);
        case ControlKind::ReadOnlyEdit: {
            auto* edit = new QLineEdit(caption, parent);
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::NoFocus);
            return edit;
        }
        case ControlKind::UpDown:
            return new SpinButton(parent, geometry);
        case ControlKind::GroupBox: {
            auto* group = new QGroupBox(caption, parent);
            group->setStyleSheet(QString::fromLatin1(kGroupBoxStyle));
            group->setAttribute(Qt::WA_TransparentForMouseEvents);
            return group;
        }
        case ControlKind::DropDownList:
            return new QComboBox(parent);
        case ControlKind::TabControl: {
            // The pages stay empty: the controls of a page are siblings drawn over the frame.
            auto* tabs = new QTabWidget(parent);
            tabs->setFocusPolicy(Qt::TabFocus);
            return tabs;
        }
        case ControlKind::Text:
        case ControlKind::RightText: {
            auto* label = new QLabel(caption, parent);
            const Qt::Alignment side =
                control.kind == ControlKind::RightText ? Qt::AlignRight : Qt::AlignLeft;
            label->setAlignment(side | Qt::AlignTop);
            label->setWordWrap(true);
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            return label;
        }
    }
    return nullptr;
}

}  // namespace

QFont PanelFont() {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(9);
    return font;
}

QWidget* CreateControl(const ControlTemplate& control, QWidget* parent) {
    const PixelRect pixels = ControlPixels(control);
    const QRect geometry(pixels.x, pixels.y, pixels.width, pixels.height);
    QWidget* widget = CreateWidget(control, geometry, parent);
    widget->setGeometry(geometry);
    widget->setVisible(control.visible);
    // A group box is drawn under the controls it frames, whatever its place in the template.
    if (control.kind == ControlKind::GroupBox) widget->lower();
    return widget;
}

}  // namespace velmora2
