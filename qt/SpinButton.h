// An up-down control: two small arrow buttons stacked when the control is taller than wide, side
// by side (left, right) otherwise. Each click moves the position one step within the range and
// reports the change at once; setting the range or position reports nothing.
#pragma once

#include <QWidget>
#include <functional>

#include "qt/SpinState.h"

class QToolButton;

namespace velmora2 {

class SpinButton final : public QWidget {
public:
    // New position and the step just taken (+1 or -1).
    using ChangeHandler = std::function<void(int position, int step)>;

    SpinButton(QWidget* parent, const QRect& geometry);

    void SetRange(int lower, int upper) { state_.SetRange(lower, upper); }
    void SetPosition(int position) { state_.SetPosition(position); }
    int Position() const { return state_.Position(); }
    void SetChangeHandler(ChangeHandler handler) { onChange_ = std::move(handler); }
    Qt::Orientation Orientation() const { return orientation_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* AddArrow(Qt::ArrowType arrow, int direction);
    void LayOutArrows();

    const Qt::Orientation orientation_;
    SpinState state_;
    ChangeHandler onChange_;
    QToolButton* upOrRight_ = nullptr;
    QToolButton* downOrLeft_ = nullptr;
};

}  // namespace velmora2
