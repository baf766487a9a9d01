#include "dialogs/MemoryDialogView.h"

namespace velmora2 {

void MemoryDialogView::SetSpinRange(int id, int lower, int upper) {
    ControlState& control = controls_[id];
    control.lower = lower;
    control.upper = upper;
}

const ControlState& MemoryDialogView::Control(int id) const {
    static const ControlState untouched;
    const auto found = controls_.find(id);
    return found == controls_.end() ? untouched : found->second;
}

}  // namespace velmora2
