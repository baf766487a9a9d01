#include "qt/SpinButton.h"

#include <QToolButton>

namespace velmora2 {

namespace {

// Holding an arrow down repeats the click, as the platform's spin buttons do.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 80;

}  // namespace

SpinButton::SpinButton(QWidget* parent, const QRect& geometry)
    : QWidget(parent),
      orientation_(geometry.height() > geometry.width() ? Qt::Vertical : Qt::Horizontal) {
    const bool vertical = orientation_ == Qt::Vertical;
    upOrRight_ = AddArrow(vertical ? Qt::UpArrow : Qt::RightArrow, SpinState::kUpArrow);
    downOrLeft_ = AddArrow(vertical ? Qt::DownArrow : Qt::LeftArrow, SpinState::kDownArrow);
    setGeometry(geometry);
    // A widget not shown yet gets its resize event only when it is shown.
    LayOutArrows();
}

QToolButton* SpinButton::AddArrow(Qt::ArrowType arrow, int direction) {
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(kRepeatDelayMs);
    button->setAutoRepeatInterval(kRepeatIntervalMs);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, direction] {
        const int step = state_.Step(direction);
        if (step != 0 && onChange_) onChange_(state_.Position(), step);
    });
    return button;
}

void SpinButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutArrows();
}

void SpinButton::LayOutArrows() {
    const int w = width();
    const int h = height();
    if (orientation_ == Qt::Vertical) {
        upOrRight_->setGeometry(0, 0, w, h / 2);
        downOrLeft_->setGeometry(0, h / 2, w, h - h / 2);
    } else {
        downOrLeft_->setGeometry(0, 0, w / 2, h);
        upOrRight_->setGeometry(w / 2, 0, w - w / 2, h);
    }
}

}  // namespace velmora2
