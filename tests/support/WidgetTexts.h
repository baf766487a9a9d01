// What a window's widgets show, for tests of their texts: whether a caption has room in its
// control, and whether any Japanese is left in a translated window.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QString>
#include <QTabWidget>
#include <QWidget>
#include <string>

namespace velmora2::testing {

// Whether a control has room for its caption: push buttons by their text, other buttons and group
// boxes by their size hint (text plus indicator and frame), wrapped labels by the height their text
// needs at their width and by the width of their longest word (a word does not wrap). The caption
// when it has no room.
inline std::string ClippedText(const QWidget* widget) {
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        const int needed = group->fontMetrics().horizontalAdvance(group->title()) + 16;
        if (needed > group->width()) return group->title().toStdString();
    } else if (const auto* push = qobject_cast<const QPushButton*>(widget)) {
        // The style's size hint of a push button has a minimum width beyond its text.
        const int needed = push->fontMetrics().horizontalAdvance(push->text()) + 8;
        if (needed > push->width()) return push->text().toStdString();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        if (button->sizeHint().width() > button->width()) return button->text().toStdString();
    } else if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
        if (list->sizeHint().width() > list->width()) return list->currentText().toStdString();
    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->heightForWidth(label->width()) > label->height())
            return label->text().toStdString();
        static const QRegularExpression latinWord(QStringLiteral("[\\x21-\\x7e]+"));
        for (auto word = latinWord.globalMatch(label->text()); word.hasNext();)
            if (label->fontMetrics().horizontalAdvance(word.next().captured()) > label->width())
                return label->text().toStdString();
    }
    return {};
}

// Kana, kanji, and the full- and half-width forms.
inline bool HasJapanese(const QString& text) {
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(japanese);
}

// Every text a widget shows: its caption, a list's items, a tab bar's tabs.
inline QStringList ShownTexts(const QWidget* widget) {
    QStringList texts;
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) texts << group->title();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) texts << button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) texts << label->text();
    if (const auto* list = qobject_cast<const QComboBox*>(widget))
        for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
    if (const auto* tabs = qobject_cast<const QTabWidget*>(widget))
        for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
    return texts;
}

}  // namespace velmora2::testing
