#include "qt/SpinState.h"

#include <algorithm>

namespace velmora2 {

void SpinState::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
    position_ = Clamp(position_);
}

void SpinState::SetPosition(int position) {
    position_ = Clamp(position);
}

int SpinState::Step(int arrow) {
    const int towardsUpper = upper_ >= lower_ ? 1 : -1;
    const int previous = position_;
    position_ = Clamp(position_ + (arrow > 0 ? towardsUpper : -towardsUpper));
    return position_ - previous;
}

int SpinState::Clamp(int position) const {
    return std::clamp(position, std::min(lower_, upper_), std::max(lower_, upper_));
}

}  // namespace velmora2
