#include "display/ScopeStage.h"

#include "display/BackgroundPainters.h"
#include "display/DrawingConventions.h"
#include "display/ScopeView.h"

namespace velmora2 {

ScopePicture MakeScopePicture(const RuntimeState& settings, const ScopeBlock& block) {
    const DisplayScales& scales = settings.scales;
    ScopePicture picture;
    ScopeState& state = picture.state;
    state.timeSpan = scales.timeSpan;
    state.timeOffset = scales.timeOffset;
    state.scaleL = scales.scaleL;
    state.scaleR = scales.scaleR;
    state.positionL = scales.positionL;
    state.positionR = scales.positionR;
    state.cal = scales.cal;
    state.triggerIndex = block.triggerIndex;
    state.triggerLevel = settings.triggerLevel;
    state.triggerEnabled = settings.triggerEnabled;
    state.triggerSourceLeft = settings.triggerSourceLeft;
    state.triggerRepeat = settings.triggerRepeat;
    state.adcRangeShown = settings.adcRangeShown;
    state.differenceInSeconds = settings.differenceUnit;
    state.oversampling = settings.oversampling;
    state.filterLength = block.filterLength;
    state.sampleRate = block.sampleRate;
    state.run = settings.run;
    state.cursorX = {settings.cursors[kScopeCursors], settings.cursors[kScopeCursors + 1]};
    state.cursorShown = {settings.cursorShown[kScopeCursors],
                         settings.cursorShown[kScopeCursors + 1]};

    picture.left = {0,    kScopeBandTopLeft, block.displayL,    kLeftChannelColor,
                    true, block.traceValid,  settings.leftShown};
    picture.right = {0,     kScopeBandTopRight, block.displayR,     kRightChannelColor,
                     false, block.traceValid,   settings.rightShown};
    return picture;
}

void DrawScopePicture(Surface& surface, const ScopePicture& picture) {
    DrawScopeBackground(surface, picture.recording);
    DrawScopeChannel(surface, picture.left, picture.state);
    DrawScopeChannel(surface, picture.right, picture.state);
}

}  // namespace velmora2
