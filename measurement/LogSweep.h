// The log-sweep network measurement: the generator plays one exponential sine sweep, the engine
// captures both inputs for its whole length, and the capture is analysed on a thread of its own
// while the user interface goes on. A block of input lost, a device that stops delivering, or a
// sweep that does not come back ends the measurement with a message and no result. At the end
// the network plot shows the curve and the generator goes back to the user's own sound.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <optional>

#include "engine/EngineHandle.h"
#include "logsweep/LogSweepAnalysis.h"
#include "logsweep/OctaveBands.h"
#include "measurement/GeneratorReturn.h"
#include "measurement/SweepMethod.h"
#include "settings/SettingsRecord.h"

namespace velmora2 {

// What a log sweep reads when it starts.
struct LogSweepRunPlan {
    LogSweepPlan sweep;
    int smoothing = kDefaultSmoothing;
    int32_t recordLength = 2048;  // FFTN, the record length after the sweep
    UserGenerator user;           // given back at the end
};

// The plan of a log sweep started now: the settings' length, band (its end limited to 0.45 of the
// active rate) and smoothing at the generator's level, with the front panel's generator volume
// and trace switches given back at the end.
LogSweepRunPlan LogPlanFromSettings(const SettingsRecord& settings, int32_t generatorVolume = -600,
                                    bool leftShown = true, bool rightShown = true);

class LogSweep final : public SweepMethod {
public:
    static constexpr int kStartDelayMs = 10;
    static constexpr int kTickMs = 100;
    // No new input for this long while capturing: the device has stopped delivering.
    static constexpr std::chrono::seconds kSilenceLimit{2};
    // Progress is told in this many steps of the capture.
    static constexpr int kProgressSteps = 100;

    LogSweep(EngineHandle engine, SweepListener& listener, std::function<LogSweepRunPlan()> plan,
             FileSearchPlaces tones);
    ~LogSweep() override;

    void ClearResults() override;
    int Start() override;
    std::optional<int> Tick() override;

    bool Running() const override { return phase_ != Phase::Idle; }
    // The last measurement's result; null before one succeeded or after ClearResults.
    const std::shared_ptr<const LogSweepResult>& Result() const { return result_; }

private:
    enum class Phase { Idle, Capturing, Analysing };

    std::optional<int> TickCapturing();
    std::optional<int> TickAnalysing();
    // Ends the sweep; a result is shown when there is one, otherwise `problem` is told.
    std::optional<int> End(const std::string& problem);

    const EngineHandle engine_;
    SweepListener& listener_;
    const std::function<LogSweepRunPlan()> planOf_;
    const FileSearchPlaces tones_;
    LogSweepRunPlan plan_;
    Phase phase_ = Phase::Idle;
    std::shared_ptr<const InputCapture> capture_;
    int64_t lastFilled_ = 0;
    std::chrono::steady_clock::time_point lastProgress_;
    std::future<LogSweepOutcome> analysis_;
    std::shared_ptr<const LogSweepResult> result_;
};

}  // namespace velmora2
