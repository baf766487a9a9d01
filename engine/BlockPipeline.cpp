#include "engine/BlockPipeline.h"

#include <cstdio>
#include <new>

#include "analysis/SpectrumMeasurements.h"
#include "audio/SoundSystem.h"
#include "display/BackgroundPainters.h"
#include "display/DrawingConventions.h"
#include "display/ScopeView.h"
#include "display/SpectrumView.h"
#include "engine/SampleConversion.h"
#include "engine/TriggerSearch.h"

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
        case kModeScope:
            DrawScopePicture();
            break;
        case kModeSpectrum:
            if (samples_.recordPosition == 0) AnalyseAndDrawSpectrum();
            break;
        case kModeLissajous:
            DrawLissajousPicture();
            break;
        default:
            break;
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
        if (trigger.found && !state_.singleShotCaptured) state_.singleShotCaptured = true;
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

    DrawScopeChannel(
        *backBuffer_,
        ScopeChannel{0, 40, samples_.displayL, kLeftChannelColor, true, valid, s.leftShown}, state);
    DrawScopeChannel(
        *backBuffer_,
        ScopeChannel{0, 220, samples_.displayR, kRightChannelColor, false, valid, s.rightShown},
        state);
}

void BlockPipeline::AnalyseAndDrawSpectrum() {
    const RuntimeState& s = *settings_;
    samples_.records.AnalyseRecord(s.windowFunction, sampleRate_, s.averagingOn, s.averagingLength,
                                   state_.averagingCounter);
    recordsAnalysed_.fetch_add(1, std::memory_order_acq_rel);

    SpectrumStatus status;
    status.settleCounter = state_.settleCounter;
    status.averagingOn = s.averagingOn;
    status.averageCount = state_.averagingCounter;

    SpectrumViewState view;
    view.positionL = s.scales.specPositionL;
    view.positionR = s.scales.specPositionR;
    view.freqOffset = s.scales.freqOffset;
    view.specCal = s.scales.specCal;
    view.cursorX = {s.cursors[2], s.cursors[3]};
    view.cursorShown = {s.cursorShown[2], s.cursorShown[3]};
    view.run = s.run;
    view.readout = {s.measurements.mainFrequency, s.measurements.thd, s.measurements.thdPlusNoise,
                    s.measurements.signalToNoise, s.measurements.highPass};

    const SpectrumChannel left = SpectrumChannelView(
        samples_.records.Left(), 30, s.scales.dbBottomL, kLeftChannelColor, true, s.leftShown);
    const SpectrumChannel right = SpectrumChannelView(
        samples_.records.Right(), 60, s.scales.dbBottomR, kRightChannelColor, false, s.rightShown);
    if (s.logAxis) {
        DrawSpectrumBackgroundLog(*backBuffer_, status, samples_.RecordLength(), sampleRate_);
        if (s.leftShown) DrawSpectrumLog(*backBuffer_, left, view);
        if (s.rightShown) DrawSpectrumLog(*backBuffer_, right, view);
    } else {
        DrawSpectrumBackground(*backBuffer_, status);
        DrawSpectrumLinear(*backBuffer_, left, view);
        DrawSpectrumLinear(*backBuffer_, right, view);
    }
    // A network sweep point is measured here once the sweep measurement exists; until then the
    // settle counter only shows in the background's notice.
}

SpectrumChannel BlockPipeline::SpectrumChannelView(const ChannelSpectrum& channel, int y0,
                                                   int32_t dbBottom, Rgb color, bool isLeft,
                                                   bool shown) const {
    const RuntimeState& s = *settings_;
    const DistortionFigures figures =
        MeasureDistortion(channel, sampleRate_, s.measurements.highPass);
    SpectrumChannel view;
    view.x0 = 0;
    view.y0 = y0;
    view.sampleRate = sampleRate_;
    view.startFrequency = 0.0;
    view.endFrequency = s.scales.freqSpan;
    view.dbRange = dbBottom;
    view.magnitudes = channel.magnitude;
    view.fftSize = channel.size;
    view.color = color;
    view.isLeft = isLeft;
    view.traceShown = shown;
    view.figures = {channel.mainFrequency, figures.thd, figures.thdPlusNoise,
                    figures.signalToNoise};
    return view;
}

void BlockPipeline::DrawLissajousPicture() {
    DrawLissajousBackground(*backBuffer_, RecordingStatus{});
}

}  // namespace velmora2
