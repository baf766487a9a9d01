#include "dialogs/CDlgWarnWav.h"

namespace velmora2 {

void CDlgWarnWav::OnInitDialog(DialogView& view, DialogServices& /*services*/) {
    view.SetText(kFileNameText, fileName_);
}

}  // namespace velmora2
