// The per-block path of the worker: record length changes, conversion into the raw records,
// showing the previous picture, oversampling, and the mode's trigger, analysis and view.
#include <cstdio>
#include <new>

#include "display/BackgroundPainters.h"
#include "display/DrawingConventions.h"
#include "display/ScopeView.h"
#include "engine/CDSCapture.h"
#include "engine/SampleConversion.h"
#include "engine/TriggerSearch.h"

namespace velmora2 {

void CDSCapture::ProcessBlock(int half) {
    WorkerRequests requests;
    control_.TakeSnapshot(snapshot_, requests);
    ApplyRequests(requests);
    const uint8_t* bytes = &captureBytes_[half * kBlockBytes];

    // A new record length drops this half: nothing is stored and nothing is drawn.
    const bool dropped = ApplyRecordLength(requests.recordLength);
    if (!dropped) {
        if (snapshot_.run && !workerState_.singleShotCaptured) StoreSamples(bytes);

        // The screen always shows the picture finished during the previous block.
        window_.CopyToWindow(*backBuffer_, kPictureX, kPictureY);

        OversampleBothChannels();
        switch (snapshot_.mode) {
            case kModeScope: DrawScopePicture(); break;
            case kModeSpectrum:
                if (samples_.recordPosition == 0) AnalyseAndDrawSpectrum();
                break;
            case kModeLissajous: DrawLissajousPicture(); break;
            case kModeNetworkPlot: DrawNetworkPicture(); break;
            default: break;
        }
        if (snapshot_.mode == kModeNetworkPlot && !snapshot_.generatorOn) {
            if (const auto generator = generator_.load()) generator->Stop();
        }
    }

    if (blockObserver_) blockObserver_({half, bytes, samples_, workerState_, dropped});
    blocksProcessed_.fetch_add(1, std::memory_order_acq_rel);
}

void CDSCapture::ApplyRequests(const WorkerRequests& requests) {
    if (requests.clearSingleShot) workerState_.singleShotCaptured = false;
    if (requests.setAveragingCounter) workerState_.averagingCounter = requests.averagingCounter;
    if (requests.startSweepPoint) {
        workerState_.sweepPointIndex = requests.sweepPointIndex;
        workerState_.settleCounter = 1;
    }
    if (requests.resetSweep) {
        workerState_.phaseWrapped = false;
        workerState_.signByCrossing = true;
    }
}

bool CDSCapture::ApplyRecordLength(int32_t requested) {
    if (requested == 0 || requested == samples_.RecordLength()) return false;
    if (!samples_.records.Resize(requested)) {
        std::fprintf(stderr, "engine: no memory for a record of %d samples; keeping %d\n",
                     requested, samples_.RecordLength());
        return false;
    }
    samples_.recordPosition = 0;
    return true;
}

void CDSCapture::StoreSamples(const uint8_t* bytes) {
    const int offset = samples_.recordPosition * kBlockFrames;
    ConvertBlock(bytes, snapshot_.channelDelay, samples_.RawL() + offset,
                 samples_.RawR() + offset);
    samples_.recordPosition =
        NextRecordPosition(samples_.recordPosition, snapshot_.mode, samples_.RecordLength());
}

void CDSCapture::OversampleBothChannels() {
    const int factor = snapshot_.oversampling;
    OversampleForDisplay(samples_.RawL(), factor, samples_.stuffedL.data(),
                         samples_.displayL.data());
    OversampleForDisplay(samples_.RawR(), factor, samples_.stuffedR.data(),
                         samples_.displayR.data());
}

void CDSCapture::DrawScopePicture() {
    const RuntimeState& s = snapshot_;
    DrawScopeBackground(*backBuffer_, RecordingStatus{});

    const double* source =
        s.triggerSourceLeft ? samples_.displayL.data() : samples_.displayR.data();
    const int start = kTriggerSearchStart + TriggerStartOffset(s.oversampling);
    const TriggerResult trigger =
        FindTrigger(source, s.triggerEnabled, s.triggerRising, s.triggerLevel, start);
    samples_.triggerIndex = trigger.index;

    bool valid = trigger.found;
    if (!s.triggerRepeat && s.triggerEnabled) {
        if (trigger.found && !workerState_.singleShotCaptured)
            workerState_.singleShotCaptured = true;
        valid = workerState_.singleShotCaptured;
    }

    ScopeState state;
    state.timeSpan = s.scales.timeSpan;
    state.timeOffset = s.scales.timeOffset;
    state.scaleL = s.scales.scaleL;
    state.scaleR = s.scales.scaleR;
    state.positionL = s.scales.positionL;
    state.positionR = s.scales.positionR;
    state.cal = s.scales.cal;
    state.triggerIndex = trigger.index;
    state.triggerLevel = s.triggerLevel;
    state.triggerEnabled = s.triggerEnabled;
    state.triggerSourceLeft = s.triggerSourceLeft;
    state.triggerRepeat = s.triggerRepeat;
    state.adcRangeShown = s.adcRangeShown;
    state.differenceInSeconds = s.differenceUnit;
    state.oversampling = s.oversampling;
    state.filterLength = FilterLength(s.oversampling);
    state.sampleRate = sampleRate_;
    state.run = s.run;
    state.cursorX = {s.cursors[0], s.cursors[1]};
    state.cursorShown = {s.cursorShown[0], s.cursorShown[1]};

    DrawScopeChannel(*backBuffer_,
                     ScopeChannel{0, 40, samples_.displayL, kLeftChannelColor, true, valid, s.leftShown},
                     state);
    DrawScopeChannel(*backBuffer_,
                     ScopeChannel{0, 220, samples_.displayR, kRightChannelColor, false, valid,
                                  s.rightShown},
                     state);
}

void CDSCapture::AnalyseAndDrawSpectrum() {
    const RuntimeState& s = snapshot_;
    samples_.records.AnalyseRecord(s.windowFunction, sampleRate_, s.averagingOn,
                                   s.averagingLength, workerState_.averagingCounter);
    recordsAnalysed_.fetch_add(1, std::memory_order_acq_rel);

    SpectrumStatus status;
    status.settleCounter = workerState_.settleCounter;
    status.averagingOn = s.averagingOn;
    status.averageCount = workerState_.averagingCounter;
    if (s.logAxis)
        DrawSpectrumBackgroundLog(*backBuffer_, status, samples_.RecordLength(), sampleRate_);
    else
        DrawSpectrumBackground(*backBuffer_, status);
}

void CDSCapture::DrawLissajousPicture() { DrawLissajousBackground(*backBuffer_, RecordingStatus{}); }

void CDSCapture::DrawNetworkPicture() {}

}  // namespace velmora2
