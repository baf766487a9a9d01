// The program's window icon: the installed icon's picture (share/velmora2.svg, built into the
// program as a resource), rendered at the sizes a window manager asks for.
#pragma once

#include <QIcon>
#include <QImage>

namespace velmora2 {

// Empty when the picture cannot be read; the window then has the desktop's default icon.
QIcon ProgramIcon();

// The picture at size × size pixels on a transparent ground; a null image when it cannot be read.
QImage ProgramIconImage(int size);

}  // namespace velmora2
