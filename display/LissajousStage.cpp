#include "display/LissajousStage.h"

#include "display/BackgroundPainters.h"

namespace velmora2 {

LissajousPicture MakeLissajousPicture(const RuntimeState& settings,
                                      std::span<const double> displayL,
                                      std::span<const double> displayR) {
    LissajousPicture picture;
    picture.state.scaleL = settings.scales.scaleL;
    picture.state.scaleR = settings.scales.scaleR;
    picture.state.cal = settings.scales.cal;
    picture.state.cursorX = {settings.cursors[kLissajousCursors],
                             settings.cursors[kLissajousCursors + 1]};
    picture.state.cursorShown = {settings.cursorShown[kLissajousCursors],
                                 settings.cursorShown[kLissajousCursors + 1]};
    picture.left = displayL;
    picture.right = displayR;
    return picture;
}

void DrawLissajousPicture(Surface& surface, const LissajousPicture& picture) {
    DrawLissajousBackground(surface, picture.recording);
    DrawLissajous(surface, picture.left, picture.right, picture.state);
}

}  // namespace velmora2
