#include "measurement/SteppedSweep.h"

#include <cmath>

#include "analysis/SweepTable.h"
#include "measurement/GeneratorReturn.h"
#include "platform/GeneratorFileNames.h"

namespace velmora2 {

SteppedSweepPlan PlanFromSettings(const SettingsRecord& s, int32_t generatorVolume, bool leftShown,
                                  bool rightShown) {
    return {s.wavn,    s.activeSampleRate, s.sweepPeriodMs, s.maxaven, s.fftn,
            s.playwav, s.generator,        generatorVolume, leftShown, rightShown};
}

SteppedSweep::SteppedSweep(EngineHandle engine, SweepListener& listener,
                           std::function<SteppedSweepPlan()> plan, FileSearchPlaces tones)
    : engine_(engine), listener_(listener), planOf_(std::move(plan)), tones_(std::move(tones)) {}

void SteppedSweep::ClearResults() {
    engine_.Do(&CDSCapture::ResetSweep);
    engine_.Do(&CDSCapture::SetMode, kModeSpectrum);
}

int SteppedSweep::Start() {
    plan_ = planOf_();
    running_ = true;
    index_ = -1;
    engine_.Do(&CDSCapture::SetRecordLength, kRecordLength);
    engine_.Do(&CDSCapture::SetOutputs, plan_.leftShown, plan_.rightShown, true);
    engine_.Do(&CDSCapture::SetAveraging, false, plan_.averagingLength);
    return kStartDelayMs;
}

std::optional<int> SteppedSweep::Tick() {
    // The table the engine measures with; its frequencies name the tone files.
    const SweepTable table = BuildSweepTable(plan_.points, plan_.sampleRate);
    const int lastIndex = table.count - 1;
    if (index_ < lastIndex) {
        engine_.Do(&CDSCapture::SetPeakSearch, true);
        ++index_;
    } else {
        End();
    }
    if (!running_) return std::nullopt;

    const double frequency = table.frequency[index_];
    const std::string name =
        ToneFileName(static_cast<int>(std::lround(frequency)), plan_.sampleRate);
    if (PlayTone(name)) {
        listener_.OnSweepPoint(index_, table.count, frequency);
    } else {
        // The sweep ends on the next tick, keeping the points measured so far.
        running_ = false;
        index_ = lastIndex;
    }
    return plan_.periodMs;
}

bool SteppedSweep::PlayTone(const std::string& name) {
    if (!FindGeneratorFile(name, tones_)) {
        listener_.OnToneMissing(name);
        return false;
    }
    // A file that is there but cannot be played ends the sweep as a missing one does: measuring
    // the previous tone under this point's frequency would plot a wrong result.
    if (const int loaded = engine_.Ask(&CDSCapture::SetGeneratorFile, 0, name); loaded != 0) {
        listener_.OnToneRefused(name, loaded);
        return false;
    }
    engine_.Do(&CDSCapture::StartSweepPoint, index_);
    return true;
}

void SteppedSweep::End() {
    engine_.Do(&CDSCapture::SetPeakSearch, false);
    running_ = false;
    listener_.OnSweepEnded();
    GiveBackGenerator(engine_, listener_, tones_,
                      {plan_.generatorFile, plan_.generatorSignal, plan_.generatorVolume,
                       plan_.leftShown, plan_.rightShown});
    engine_.Do(&CDSCapture::SetMode, kModeNetworkPlot);
    engine_.Do(&CDSCapture::SetRecordLength, plan_.recordLength);
}

}  // namespace velmora2
