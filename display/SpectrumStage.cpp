#include "display/SpectrumStage.h"

#include "display/BackgroundPainters.h"
#include "display/DrawingConventions.h"
#include "display/PrecisionReadout.h"
#include "display/SpectrumView.h"

namespace velmora2 {

namespace {

SpectrumChannel Channel(const RuntimeState& settings, const SpectrumResult& result,
                        int32_t sampleRate, bool isLeft) {
    SpectrumChannel channel;
    channel.x0 = 0;
    channel.y0 = isLeft ? kSpectrumZeroDbLeft : kSpectrumZeroDbRight;
    channel.sampleRate = sampleRate;
    channel.startFrequency = 0.0;
    channel.endFrequency = settings.scales.freqSpan;
    channel.dbRange = isLeft ? settings.scales.dbBottomL : settings.scales.dbBottomR;
    channel.magnitudes = result.magnitudes;
    channel.fftSize = result.fftSize;
    channel.color = isLeft ? kLeftChannelColor : kRightChannelColor;
    channel.isLeft = isLeft;
    channel.traceShown = isLeft ? settings.leftShown : settings.rightShown;
    channel.figures = result.figures;
    return channel;
}

}  // namespace

SpectrumPicture MakeSpectrumPicture(const RuntimeState& settings, const SpectrumRecord& record) {
    SpectrumPicture picture;
    picture.logAxis = settings.logAxis;
    picture.fftSize = record.left.fftSize;
    picture.sampleRate = record.sampleRate;

    picture.status.settleCounter = record.settleCounter;
    picture.status.logSweepPercent = settings.logSweepPercent;
    picture.status.averagingOn = settings.averagingOn;
    picture.status.averageCount = record.averageCount;

    const DisplayScales& scales = settings.scales;
    SpectrumViewState& view = picture.view;
    view.positionL = scales.specPositionL;
    view.positionR = scales.specPositionR;
    view.freqOffset = scales.freqOffset;
    view.specCal = scales.specCal;
    view.cursorX = {settings.cursors[kSpectrumCursors], settings.cursors[kSpectrumCursors + 1]};
    view.cursorShown = {settings.cursorShown[kSpectrumCursors],
                        settings.cursorShown[kSpectrumCursors + 1]};
    view.run = settings.run;
    const MeasurementSwitches& m = settings.measurements;
    view.readout = {m.mainFrequency, m.thd, m.thdPlusNoise, m.signalToNoise, m.highPass};

    picture.left = Channel(settings, record.left, record.sampleRate, true);
    picture.right = Channel(settings, record.right, record.sampleRate, false);
    return picture;
}

void DrawSpectrumPicture(Surface& surface, const SpectrumPicture& picture) {
    if (picture.logAxis) {
        DrawSpectrumBackgroundLog(surface, picture.status, picture.fftSize, picture.sampleRate);
        for (const SpectrumChannel* channel : {&picture.left, &picture.right})
            if (channel->traceShown) DrawSpectrumLog(surface, *channel, picture.view);
    } else {
        DrawSpectrumBackground(surface, picture.status);
        DrawSpectrumLinear(surface, picture.left, picture.view);
        DrawSpectrumLinear(surface, picture.right, picture.view);
    }
    if (picture.precision)
        DrawPrecisionReadout(surface, *picture.precision, picture.left.traceShown,
                             picture.right.traceShown);
}

}  // namespace velmora2
