// The splash picture: a small scope screen showing the generator's tone on both channels beside
// the program's name and version, drawn by our own code on a 220 x 120 surface.
#pragma once

#include "display/Surface.h"

namespace velmora2 {

void DrawSplashPicture(Surface& surface);

}  // namespace velmora2
