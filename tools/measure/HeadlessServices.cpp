#include "tools/measure/HeadlessServices.h"

#include "dialogs/MemoryDialogView.h"

namespace velmora2 {

int HeadlessServices::RunModal(ModalDialog& dialog) {
    MemoryDialogView view;
    modalEnds_.emplace_back();
    dialog.OnInitDialog(view, *this);
    const std::optional<int> ended = modalEnds_.back();
    modalEnds_.pop_back();
    return ended.value_or(kIdCancel);
}

void HeadlessServices::EndDialog(int result) {
    if (!modalEnds_.empty()) modalEnds_.back() = result;
}

}  // namespace velmora2
