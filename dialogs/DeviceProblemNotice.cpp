#include "dialogs/DeviceProblemNotice.h"

#include "dialogs/DeviceMessages.h"

namespace velmora2 {

void DeviceProblemNotice::Tell(DialogServices& services) {
    if (onceOnly_ && told_) return;
    told_ = true;
    services.MessageBox(msg::kOutputDeviceProblem, msg::kDeviceListTitle, MessageIcon::Exclamation);
}

}  // namespace velmora2
