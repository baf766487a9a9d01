#include "measurement/LogSweep.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "logsweep/SweepLocation.h"

namespace velmora2 {

LogSweepRunPlan LogPlanFromSettings(const SettingsRecord& s, int32_t generatorVolume,
                                    bool leftShown, bool rightShown) {
    LogSweepRunPlan plan;
    const int rate = s.activeSampleRate;
    plan.sweep.startHz = s.network.startHz;
    plan.sweep.endHz = std::min(s.network.endHz, kMaxLogSweepRateShare * rate);
    plan.sweep.seconds = s.network.seconds;
    plan.sweep.levelDbfs = s.generator.levelDbfs;
    plan.sweep.sampleRate = rate;
    plan.smoothing = s.network.smoothing;
    plan.recordLength = s.fftn;
    plan.user = {s.playwav, s.generator, generatorVolume, leftShown, rightShown};
    return plan;
}

LogSweep::LogSweep(EngineHandle engine, SweepListener& listener,
                   std::function<LogSweepRunPlan()> plan, FileSearchPlaces tones)
    : engine_(engine), listener_(listener), planOf_(std::move(plan)), tones_(std::move(tones)) {}

LogSweep::~LogSweep() {
    // An analysis still running reads the capture it holds a share of; it is waited for.
    if (analysis_.valid()) analysis_.wait();
}

void LogSweep::ClearResults() {
    result_.reset();
    engine_.Do(&CDSCapture::ResetSweep);
    engine_.Do(&CDSCapture::SetMode, kModeSpectrum);
}

int LogSweep::Start() {
    plan_ = planOf_();
    phase_ = Phase::Capturing;
    capture_.reset();
    // A sweep that fails shows no curve, not the one before.
    result_.reset();
    engine_.Do(&CDSCapture::ResetSweep);
    if (const char* problem = LogSweepProblem(plan_.sweep)) {
        End(std::string("The log sweep cannot be played: ") + problem + ".");
        return kStartDelayMs;
    }
    const int64_t frames = CaptureFramesFor(plan_.sweep);
    std::vector<int16_t> loop;
    try {
        // Silence after the sweep for longer than the capture, so that it never comes round again
        // within it.
        loop = RenderLogSweepLoop(plan_.sweep, frames);
    } catch (const std::bad_alloc&) {
        End("There is not enough memory for the log sweep.");
        return kStartDelayMs;
    }
    engine_.Do(&CDSCapture::SetOutputs, plan_.user.leftShown, plan_.user.rightShown, true);
    if (const int loaded = engine_.Ask(&CDSCapture::SetGeneratorSamples, -9, loop); loaded != 0) {
        End("The generator cannot play the log sweep (error " + std::to_string(loaded) + ").");
        return kStartDelayMs;
    }
    capture_ =
        engine_.Ask(&CDSCapture::StartInputCapture, std::shared_ptr<const InputCapture>{}, frames);
    if (!capture_) {
        End("There is not enough memory to capture the log sweep.");
        return kStartDelayMs;
    }
    lastFilled_ = 0;
    lastProgress_ = std::chrono::steady_clock::now();
    return kStartDelayMs;
}

std::optional<int> LogSweep::Tick() {
    switch (phase_) {
        case Phase::Capturing:
            return TickCapturing();
        case Phase::Analysing:
            return TickAnalysing();
        case Phase::Idle:
            break;
    }
    return std::nullopt;
}

std::optional<int> LogSweep::TickCapturing() {
    if (!capture_) return End("");
    const int64_t filled = capture_->FramesFilled();
    const auto now = std::chrono::steady_clock::now();
    if (filled != lastFilled_) {
        lastFilled_ = filled;
        lastProgress_ = now;
    }
    switch (capture_->Current()) {
        case InputCapture::State::Lost:
            return End("Input was lost during the log sweep; it measured nothing.");
        case InputCapture::State::Complete:
            break;
        case InputCapture::State::Filling: {
            if (now - lastProgress_ > kSilenceLimit)
                return End("No input came during the log sweep; it measured nothing.");
            // The frequency playing now (the path's delay aside), for the progress.
            const LogSweepShape shape = ShapeOf(plan_.sweep);
            const double t =
                static_cast<double>(filled - shape.leadFrames) / plan_.sweep.sampleRate;
            const double hz = t <= 0.0
                                  ? shape.playedStartHz
                                  : std::min(shape.playedEndHz,
                                             shape.playedStartHz * std::exp(t / shape.rateSeconds));
            const auto step = static_cast<int>(filled * kProgressSteps / capture_->Frames());
            engine_.Do(&CDSCapture::SetLogSweepProgress, step * 100 / kProgressSteps);
            listener_.OnSweepPoint(step, kProgressSteps, hz);
            return kTickMs;
        }
    }
    // The whole capture: the generator falls silent while it is analysed.
    engine_.Do(&CDSCapture::SetOutputs, plan_.user.leftShown, plan_.user.rightShown, false);
    phase_ = Phase::Analysing;
    analysis_ = std::async(std::launch::async, [capture = capture_, plan = plan_] {
        return AnalyseLogSweep(plan.sweep, plan.smoothing, capture->Left(), capture->Right());
    });
    return kTickMs;
}

std::optional<int> LogSweep::TickAnalysing() {
    if (analysis_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return kTickMs;
    LogSweepOutcome outcome = analysis_.get();
    capture_.reset();
    if (!outcome.result) return End("The log sweep measured nothing: " + outcome.problem + ".");
    result_ = std::make_shared<const LogSweepResult>(std::move(*outcome.result));
    return End("");
}

std::optional<int> LogSweep::End(const std::string& problem) {
    phase_ = Phase::Idle;
    capture_.reset();
    engine_.Do(&CDSCapture::SetLogSweepProgress, -1);
    if (!problem.empty()) listener_.OnSweepFailed(problem);
    listener_.OnSweepEnded();
    GiveBackGenerator(engine_, listener_, tones_, plan_.user);
    engine_.Do(&CDSCapture::ShowLogSweep, result_);
    engine_.Do(&CDSCapture::SetMode, kModeNetworkPlot);
    engine_.Do(&CDSCapture::SetRecordLength, plan_.recordLength);
    return std::nullopt;
}

}  // namespace velmora2
