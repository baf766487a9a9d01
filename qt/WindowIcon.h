// The program's window icon, drawn by our own code: a scope screen with a sine trace.
#pragma once

#include <QIcon>

namespace velmora2 {

QIcon ProgramIcon();

}  // namespace velmora2
