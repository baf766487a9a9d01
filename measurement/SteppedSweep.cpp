#include "measurement/SteppedSweep.h"

#include <cmath>

#include "analysis/SweepTable.h"
#include "platform/GeneratorFileNames.h"

namespace velmora2 {

SteppedSweep::SteppedSweep(const std::unique_ptr<CDSCapture>& engine, SweepListener& listener,
                           std::function<SteppedSweepPlan()> plan, FileSearchPlaces tones)
    : engine_(engine), listener_(listener), planOf_(std::move(plan)), tones_(std::move(tones)) {}

void SteppedSweep::ClearResults() {
    if (!engine_) return;
    engine_->ResetSweep();
    engine_->SetMode(kModeSpectrum);
}

int SteppedSweep::Start() {
    plan_ = planOf_();
    running_ = true;
    index_ = -1;
    if (engine_) {
        engine_->SetRecordLength(kRecordLength);
        engine_->SetOutputs(plan_.leftShown, plan_.rightShown, true);
        engine_->SetAveraging(false, plan_.averagingLength);
    }
    return kStartDelayMs;
}

std::optional<int> SteppedSweep::Tick() {
    // The table the engine measures with; its frequencies name the tone files.
    const SweepTable table = BuildSweepTable(plan_.points, plan_.sampleRate);
    const int lastIndex = table.count - 1;
    if (index_ < lastIndex) {
        if (engine_) engine_->SetPeakSearch(true);
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
    if (!engine_) return true;
    // A file that is there but cannot be played ends the sweep as a missing one does: measuring
    // the previous tone under this point's frequency would plot a wrong result.
    const int loaded = engine_->SetGeneratorFile(name);
    if (loaded > 0) {
        listener_.OnToneTooFast(name, loaded);
        return false;
    }
    if (loaded < 0) {
        listener_.OnToneMissing(name);
        return false;
    }
    engine_->StartSweepPoint(index_);
    return true;
}

void SteppedSweep::End() {
    if (engine_) engine_->SetPeakSearch(false);
    running_ = false;
    listener_.OnSweepEnded();
    const bool userToneFound = FindGeneratorFile(plan_.generatorFile, tones_).has_value();
    if (userToneFound && engine_) engine_->SetGeneratorFile(plan_.generatorFile);
    if (!userToneFound) listener_.OnToneMissing(plan_.generatorFile);
    if (!engine_) return;
    // The sweep switched the generator on, and it stays on with the user's own tone.
    engine_->SetOutputs(plan_.leftShown, plan_.rightShown, true);
    engine_->SetGeneratorVolume(plan_.generatorVolume);
    engine_->SetMode(kModeNetworkPlot);
    engine_->SetRecordLength(plan_.recordLength);
}

}  // namespace velmora2
