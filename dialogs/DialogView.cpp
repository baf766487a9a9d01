#include "dialogs/DialogView.h"

namespace velmora2 {

void ModalDialog::OnCommand(int id, DialogServices& services) {
    if (id == kIdOk || id == kIdCancel) services.EndDialog(id);
}

}  // namespace velmora2
