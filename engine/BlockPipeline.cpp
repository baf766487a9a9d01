#include <cstdio>
#include <new>

#include "display/BackgroundPainters.h"
#include "display/DrawingConventions.h"
#include "display/ScopeView.h"
#include "engine/BlockPipeline.h"
#include "engine/SampleConversion.h"
#include "engine/TriggerSearch.h"
#include "platform/SoundSystem.h"

namespace velmora2 {

namespace {
constexpr Rgb kWhite{255, 255, 255};
}  // namespace

BlockPipeline::BlockPipeline(DrawingTarget& window, int sampleRate)
    : window_(window),
      sampleRate_(sampleRate),
      backBuffer_(window.CreateSurface(kPictureWidth, kPictureHeight, kWhite)) {}

BlockPipeline::Outcome BlockPipeline::Process(const uint8_t* bytes, const RuntimeState& settings,
                                              const WorkerRequests& requests) {
    settings_ = &settings;
    ApplyRequests(requests);

    // A new record length drops this half: nothing is stored and nothing is drawn.
    Outcome outcome;
    outcome.dropped = ApplyRecordLength(requests.recordLength);
    if (outcome.dropped) return outcome;

    if (settings.run && !state_.singleShotCaptured) StoreSamples(bytes);

    // The screen always shows the picture finished during the previous block.
    window_.CopyToWindow(*backBuffer_, kPictureX, kPictureY);

    OversampleBothChannels();
    switch (settings.mode) {
        case kModeScope: DrawScopePicture(); break;
        case kModeSpectrum:
            if (samples_.recordPosition == 0) AnalyseAndDrawSpectrum();
            break;
        case kModeLissajous: DrawLissajousPicture(); break;
        default: break;
    }
    outcome.stopGenerator = settings.mode == kModeNetworkPlot && !settings.generatorOn;
    return outcome;
}

void BlockPipeline::ApplyRequests(const WorkerRequests& requests) {
    if (requests.clearSingleShot) state_.singleShotCaptured = false;
    if (requests.setAveragingCounter) state_.averagingCounter = requests.averagingCounter;
    if (requests.startSweepPoint) {
        state_.sweepPointIndex = requests.sweepPointIndex;
        state_.settleCounter = 1;
    }
    if (requests.resetSweep) {
        state_.phaseWrapped = false;
        state_.signByCrossing = true;
    }
}

bool BlockPipeline::ApplyRecordLength(int32_t requested) {
    if (requested == 0 || requested == samples_.RecordLength()) return false;
    if (!samples_.records.Resize(requested)) {
        std::fprintf(stderr, "engine: no memory for a record of %d samples; keeping %d\n",
                     requested, samples_.RecordLength());
        return false;
    }
    samples_.recordPosition = 0;
    return true;
}

void BlockPipeline::StoreSamples(const uint8_t* bytes) {
    const int offset = samples_.recordPosition * kBlockFrames;
    ConvertBlock(bytes, settings_->channelDelay, samples_.RawL() + offset,
                 samples_.RawR() + offset);
    samples_.recordPosition =
        NextRecordPosition(samples_.recordPosition, settings_->mode, samples_.RecordLength());
}

void BlockPipeline::OversampleBothChannels() {
    const int factor = settings_->oversampling;
    OversampleForDisplay(samples_.RawL(), factor, samples_.stuffedL.data(),
                         samples_.displayL.data());
    OversampleForDisplay(samples_.RawR(), factor, samples_.stuffedR.data(),
                         samples_.displayR.data());
}

void BlockPipeline::DrawScopePicture() {
    const RuntimeState& s = *settings_;
    DrawScopeBackground(*backBuffer_, RecordingStatus{});

    const double* source =
        s.triggerSourceLeft ? samples_.displayL.data() : samples_.displayR.data();
    const int start = kTriggerSearchStart + TriggerStartOffset(s.oversampling);
    const TriggerResult trigger =
        FindTrigger(source, s.triggerEnabled, s.triggerRising, s.triggerLevel, start);
    samples_.triggerIndex = trigger.index;

    bool valid = trigger.found;
    if (!s.triggerRepeat && s.triggerEnabled) {
        if (trigger.found && !state_.singleShotCaptured)
            state_.singleShotCaptured = true;
        valid = state_.singleShotCaptured;
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

void BlockPipeline::AnalyseAndDrawSpectrum() {
    const RuntimeState& s = *settings_;
    samples_.records.AnalyseRecord(s.windowFunction, sampleRate_, s.averagingOn,
                                   s.averagingLength, state_.averagingCounter);
    recordsAnalysed_.fetch_add(1, std::memory_order_acq_rel);

    SpectrumStatus status;
    status.settleCounter = state_.settleCounter;
    status.averagingOn = s.averagingOn;
    status.averageCount = state_.averagingCounter;
    if (s.logAxis)
        DrawSpectrumBackgroundLog(*backBuffer_, status, samples_.RecordLength(), sampleRate_);
    else
        DrawSpectrumBackground(*backBuffer_, status);
}

void BlockPipeline::DrawLissajousPicture() {
    DrawLissajousBackground(*backBuffer_, RecordingStatus{});
}

}  // namespace velmora2
