// The templates of the modal dialogs the Qt services can show, found by template id.
#pragma once

#include "dialogs/ControlTemplate.h"

namespace velmora2 {

// Null for a template this side does not know.
const DialogTemplate* FindDialogTemplate(int templateId);

}  // namespace velmora2
