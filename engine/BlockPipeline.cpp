#include "engine/BlockPipeline.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "analysis/SpectrumMeasurements.h"
#include "audio/SoundSystem.h"
#include "display/DrawingConventions.h"
#include "display/LissajousStage.h"
#include "display/NetworkStage.h"
#include "display/ScopeStage.h"
#include "display/StatusNotices.h"
#include "engine/SampleConversion.h"
#include "engine/TriggerSearch.h"

namespace velmora2 {

BlockPipeline::BlockPipeline(DrawingTarget& window, int sampleRate)
    : window_(window),
      sampleRate_(sampleRate),
      backBuffer_(window.CreateSurface(kSurfaceWidth, kSurfaceHeight, kFieldBackground)) {}

BlockPipeline::Outcome BlockPipeline::Process(const uint8_t* bytes, const RuntimeState& settings,
                                              const WorkerRequests& requests) {
    settings_ = &settings;
    ApplyRequests(requests);

    // A new record length drops this half: nothing is stored and nothing is drawn.
    Outcome outcome;
    outcome.dropped = ApplyRecordLength(requests.recordLength);
    if (outcome.dropped) {
        // This block has nothing else to do; the first record of the new length is spared it.
        samples_.records.PrepareWindow(settings.windowFunction);
        return outcome;
    }

    const double* storedLeft = nullptr;
    const double* storedRight = nullptr;
    if (settings.run && !state_.singleShotCaptured) {
        const int offset = samples_.recordPosition * kBlockFrames;
        StoreSamples(bytes);
        storedLeft = samples_.RawL() + offset;
        storedRight = samples_.RawR() + offset;
    }
    if (!precision_.Advance(settings, sampleRate_, storedLeft, storedRight, kBlockFrames))
        ReportPrecisionMemoryOnce();

    // The screen always shows the picture finished during the previous block.
    window_.CopyToWindow(*backBuffer_, kPictureLeft, kPictureTop);

    // A record's analysis goes on whatever the mode; its spectrum is drawn in spectrum mode.
    const bool analysed = AdvanceAnalysis();

    // The spectrum is drawn from the records alone; any other mode refreshes the display buffers
    // in its first block, before it draws them.
    const ModeStage* stage = StageOf(settings.mode);
    if (stage == nullptr || stage->displayBuffers) OversampleBothChannels();
    const bool painted = stage != nullptr && (this->*stage->draw)(analysed);
    // A picture that hides lost input would lie about what was measured.
    if (painted) DrawDataLossNotice(*backBuffer_, inputLoss_);
    outcome.stopGenerator = settings.mode == kModeNetworkPlot && !settings.generatorOn;
    return outcome;
}

void BlockPipeline::ApplyRequests(const WorkerRequests& requests) {
    if (requests.clearSingleShot) state_.singleShotCaptured = false;
    if (requests.setAveragingCounter) state_.averagingCounter = requests.averagingCounter;
    if (requests.resetSweep) {
        sweep_.Reset(settings_->sweepPoints, sampleRate_);
        PublishSweep();
    }
    if (requests.startSweepPoint) sweep_.StartPoint(requests.sweepPointIndex);
}

bool BlockPipeline::ApplyRecordLength(int32_t requested) {
    if (requested == 0 || requested == samples_.RecordLength()) return false;
    if (!samples_.records.Resize(requested)) {
        std::fprintf(stderr, "engine: no memory for a record of %d samples; keeping %d\n",
                     requested, samples_.RecordLength());
        return false;
    }
    samples_.recordPosition = 0;
    drawShared_ = false;  // the analysis it belonged to went with the old buffers
    return true;
}

void BlockPipeline::StoreSamples(const uint8_t* bytes) {
    const int offset = samples_.recordPosition * kBlockFrames;
    ConvertBlock(bytes, settings_->channelDelay, samples_.RawL() + offset,
                 samples_.RawR() + offset);
    samples_.records.SliceStored(offset, kBlockFrames, settings_->windowFunction);
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

// The stage of each engine mode: what a block draws into the back buffer, and whether it works
// on the display buffers. A new mode is its stage, its view and a row here.
const BlockPipeline::ModeStage BlockPipeline::kModeStages[] = {
    {kModeScope, &BlockPipeline::DrawScope, true},
    {kModeSpectrum, &BlockPipeline::DrawSpectrum, false},
    {kModeLissajous, &BlockPipeline::DrawLissajous, true},
    {kModeNetworkPlot, &BlockPipeline::DrawNetworkPlot, true},
};

const BlockPipeline::ModeStage* BlockPipeline::StageOf(int32_t mode) {
    for (const ModeStage& stage : kModeStages)
        if (stage.mode == mode) return &stage;
    return nullptr;
}

BlockPipeline::Trigger BlockPipeline::SearchTrigger() {
    const RuntimeState& s = *settings_;
    const double* source =
        s.triggerSourceLeft ? samples_.displayL.data() : samples_.displayR.data();
    const int start = kTriggerSearchStart + TriggerStartOffset(s.oversampling);
    const TriggerResult found =
        FindTrigger(source, s.triggerEnabled, s.triggerRising, s.triggerLevel, start);
    samples_.triggerIndex = found.index;

    bool valid = found.found;
    if (!s.triggerRepeat && s.triggerEnabled) {
        if (found.found) state_.singleShotCaptured = true;
        valid = state_.singleShotCaptured;
    }
    return {found.index, valid};
}

bool BlockPipeline::DrawScope(bool) {
    const Trigger trigger = SearchTrigger();
    const ScopeBlock block{samples_.displayL,
                           samples_.displayR,
                           trigger.index,
                           trigger.traceValid,
                           FilterLength(settings_->oversampling),
                           sampleRate_};
    ScopePicture picture = MakeScopePicture(*settings_, block);
    picture.recording = recording_;
    DrawScopePicture(*backBuffer_, picture);
    return true;
}

int BlockPipeline::AnalysisShares() const {
    // Eight blocks or more to a record: four shares end long before the next record does.
    constexpr int kSharedRecordLength = 8 * kBlockFrames;
    if (!shareLongRecords_ || samples_.RecordLength() < kSharedRecordLength) return 1;
    // A sweep point measures the captures of the record it analysed.
    if (sweep_.SettleCounter() != 0) return 1;
    // At 48000 Hz the block period holds the whole analysis; each doubling of the rate halves it.
    return std::max(1, sampleRate_ / 48000);
}

bool BlockPipeline::AdvanceAnalysis() {
    // A record analysed in shares is drawn in the block after its last share: that block carries
    // the picture and nothing of the analysis.
    if (drawShared_) {
        drawShared_ = false;
        return true;
    }
    const RuntimeState& s = *settings_;
    SpectrumAnalyzer& records = samples_.records;
    bool done = false;
    if (records.RecordInAnalysis()) {
        done = records.AnalyseNextShare(side_);
        drawShared_ = done;
    } else if (s.mode == kModeSpectrum && samples_.recordPosition == 0) {
        const int shares = AnalysisShares();
        recordAnalysedWhole_ = shares == 1;
        done = records.BeginRecord(s.windowFunction, sampleRate_, s.averagingOn, s.averagingLength,
                                   state_.averagingCounter, shares, side_);
    }
    if (done) recordsAnalysed_.fetch_add(1, std::memory_order_acq_rel);
    return done && !drawShared_;
}

bool BlockPipeline::DrawSpectrum(bool analysed) {
    // A spectrum is drawn once its record has been analysed.
    if (!analysed) return false;
    const RuntimeState& s = *settings_;
    const SpectrumRecord record{Measured(samples_.records.Left()),
                                Measured(samples_.records.Right()), sampleRate_,
                                sweep_.SettleCounter(), state_.averagingCounter};
    SpectrumPicture picture = MakeSpectrumPicture(s, record);
    picture.status.recording = recording_;
    if (s.precision.on) picture.precision = precision_.Latest();
    DrawSpectrumPicture(*backBuffer_, picture);
    if (sweep_.SettleCounter() != 0 && recordAnalysedWhole_) MeasureSweepPoint();
    return true;
}

void BlockPipeline::ReportPrecisionMemoryOnce() {
    if (precisionMemoryReported_) return;
    precisionMemoryReported_ = true;
    std::fprintf(stderr, "engine: no memory for the precision read-out's record of %d samples\n",
                 PrecisionRecord::kPoints);
}

void BlockPipeline::MeasureSweepPoint() {
    const RuntimeState& s = *settings_;
    const auto crossing = [](const double* raw) {
        return FindTrigger(raw, true, true, 0, kTriggerSearchStart).index;
    };
    const SweepFrame frame{samples_.records.Left(), samples_.records.Right(),
                           crossing(samples_.RawL()), crossing(samples_.RawR())};
    sweep_.MeasureSweepPoint(frame, s.peakSearch, s.slowSweep);
    if (sweep_.SettleCounter() == 0) PublishSweep();
}

void BlockPipeline::PublishSweep() {
    std::lock_guard lock(publishedSweepMutex_);
    publishedSweep_ = sweep_.Results();
}

SweepResults BlockPipeline::PublishedSweep() const {
    std::lock_guard lock(publishedSweepMutex_);
    return publishedSweep_;
}

SpectrumResult BlockPipeline::Measured(const ChannelSpectrum& channel) const {
    const DistortionFigures figures =
        MeasureDistortion(channel, sampleRate_, settings_->measurements.highPass);
    return {channel.magnitude,
            channel.size,
            {channel.mainFrequency, figures.thd, figures.thdPlusNoise, figures.signalToNoise}};
}

bool BlockPipeline::DrawLissajous(bool) {
    LissajousPicture picture =
        MakeLissajousPicture(*settings_, samples_.displayL, samples_.displayR);
    picture.recording = recording_;
    DrawLissajousPicture(*backBuffer_, picture);
    return true;
}

bool BlockPipeline::DrawNetworkPlot(bool) {
    DrawNetworkPicture(*backBuffer_,
                       logSweepCurve_ ? MakeNetworkPlot(*settings_, *logSweepCurve_, sampleRate_)
                                      : MakeNetworkPlot(*settings_, sweep_.Results(), sampleRate_));
    return true;
}

void BlockPipeline::ShowLogSweep(const std::shared_ptr<const LogSweepResult>& result) {
    if (result == logSweep_) return;
    logSweep_ = result;
    logSweepCurve_.reset();
    if (!result) return;
    try {
        logSweepCurve_.emplace(*result, sampleRate_);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "engine: no memory for the log sweep's curve\n");
    }
}

}  // namespace velmora2
