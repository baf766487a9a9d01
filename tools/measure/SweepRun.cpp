#include "tools/measure/SweepRun.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

#include "audio/SoundSystem.h"
#include "audio/portaudio/PortAudioSystem.h"
#include "audio/sim/SimBench.h"
#include "dataexport/DataCsv.h"
#include "dialogs/CDlgDevice.h"
#include "engine/CDSCapture.h"
#include "engine/GeneratorLoad.h"
#include "engine/ToneFile.h"
#include "logsweep/SweepLocation.h"
#include "measurement/LogSweep.h"
#include "measurement/SteppedDelivery.h"
#include "measurement/SteppedSweep.h"
#include "platform/GeneratorFileNames.h"
#include "platform/GeneratorFileSearch.h"
#include "platform/ProgramDirectory.h"
#include "settings/SettingsFile.h"
#include "tools/measure/HeadlessServices.h"
#include "tools/measure/PictureTarget.h"

namespace velmora2 {

namespace {

namespace fs = std::filesystem;

// A sweep ends on the tick after its last point; more ticks than this mean it never will.
constexpr int kTickLimit = kMaxSweepPoints + 2;
constexpr uint64_t kBlocksUntilChartShown = 2;
// The longest a log sweep's analysis may take.
constexpr auto kLogSweepAnalysisWait = std::chrono::seconds(60);
// How long a sound device may take to show the finished chart.
constexpr auto kPictureWait = std::chrono::seconds(3);

// A directory for the tones found nowhere else, removed with everything in it when the run ends.
class ToneDirectory {
public:
    ToneDirectory() {
        std::string pattern = (fs::temp_directory_path() / "velmora2-sweep-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ToneDirectory() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    ToneDirectory(const ToneDirectory&) = delete;
    ToneDirectory& operator=(const ToneDirectory&) = delete;

    // Empty when it could not be made.
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// Where the sweep looks for its tones: where the program looks, then `spare`, into which every
// tone of the sweep (and the user's default tone, played at its end) found nowhere else is
// written. Empty with `error` set when one cannot be written.
std::optional<FileSearchPlaces> PlacesWithEveryTone(const fs::path& spare, const MeasureOptions& o,
                                                    std::string& error) {
    FileSearchPlaces places = ProgramSearchPlaces(ProgramDirectory());
    places.dataDirectories.push_back(spare);
    const SweepTable table = BuildSweepTable(o.logSweep ? 0 : o.points, o.rate);
    std::vector<std::pair<std::string, std::pair<int, int>>> tones;  // name, (Hz, rate)
    for (int i = 0; i < table.count; ++i) {
        const int hz = static_cast<int>(std::lround(table.frequency[i]));
        tones.push_back({ToneFileName(hz, o.rate), {hz, o.rate}});
    }
    tones.push_back({kDefaultToneFile, {1000, 48000}});
    for (const auto& [name, tone] : tones) {
        if (FindGeneratorFile(name, places)) continue;
        if (!WriteToneFile(spare / name, tone.first, tone.second)) {
            error = (spare / name).string() + ": cannot be written";
            return std::nullopt;
        }
    }
    return places;
}

// The device pairs as the window lists them; `names` receives their names.
DeviceTable ListDevices(SoundSystem& sound, std::vector<std::string>* names = nullptr) {
    HeadlessServices services;
    CDlgDevice dialog(sound, /*autoClose=*/true);
    if (services.RunModal(dialog) != CDlgDevice::kOkResult) return {};
    if (names != nullptr) *names = dialog.DeviceNames();
    return dialog.Devices();
}

// The pair must be listed and usable.
bool CheckDevice(SoundSystem& sound, int device, std::string& error) {
    std::vector<std::string> names;
    const DeviceTable table = ListDevices(sound, &names);
    const int count = std::min(table.deviceCount, kMaxListedDevices);
    const std::string option = "--device " + std::to_string(device);
    if (device >= count) {
        error = option + ": no such sound device (" + std::to_string(count) +
                " listed; see velmora2-list-devices)";
        return false;
    }
    if (!sound.CanUseCaptureDevice(table.captureDeviceIds[device]) ||
        !sound.CanUseOutputDevice(table.outputDeviceIds[device])) {
        const std::string name =
            static_cast<size_t>(device) < names.size() ? " (" + names[device] + ")" : "";
        error = option + name + ": cannot record and play 16-bit stereo";
        return false;
    }
    return true;
}

// The instrument's default settings with the sweep's options, as the window would run with them.
SettingsRecord SweepSettingsFor(const MeasureOptions& o) {
    SettingsRecord settings;
    settings.wavn = o.points;
    settings.fsample = o.rate;
    settings.activeSampleRate = o.rate;
    settings.slowSweep = o.slow;
    settings.sweepPeriodMs = o.slow ? 2000 : 500;
    settings.network.logSweep = o.logSweep;
    settings.network.seconds = o.sweepSeconds;
    settings.network.startHz = o.bandLowHz;
    // Unless given, the end is 20 kHz, limited to 0.45 of the rate by the plan.
    settings.network.endHz = o.bandHighHz.value_or(20000.0);
    settings.network.smoothing = o.smoothing;
    return settings;
}

// The progress for the command, and the first problem the window would have put before the user.
class SweepReport final : public SweepListener {
public:
    explicit SweepReport(const SweepProgress& progress) : progress_(progress) {}

    void OnSweepPoint(int index, int count, double frequencyHz) override {
        if (progress_) progress_(index + 1, count, frequencyHz);
    }
    void OnToneMissing(const std::string& name) override {
        Problem("tone file " + name + " cannot be found or played");
    }
    void OnToneRefused(const std::string& name, int loadResult) override {
        Problem("tone file " + name + " " +
                (loadResult > 0 ? "is sampled at " + std::to_string(loadResult) +
                                      " Hz, faster than the sound device plays"
                                : DescribeGeneratorLoad(loadResult)));
    }
    void OnSweepFailed(const std::string& message) override { Problem(message); }
    void OnSweepEnded() override {}

    const std::optional<std::string>& FirstProblem() const { return problem_; }

private:
    void Problem(const std::string& text) {
        if (!problem_) problem_ = text;
    }

    const SweepProgress& progress_;
    std::optional<std::string> problem_;
};

// Everything the engine uses, held together so that an engine that would not stop can be left
// with all of it.
struct Bench {
    Bench(std::unique_ptr<SoundSystem> soundSystem, SimBench* steppedBench, bool pixels)
        : sound(std::move(soundSystem)), stepped(steppedBench), target(pixels) {}

    std::unique_ptr<SoundSystem> sound;
    SimBench* stepped;  // the bench when the sound system is the stepped one, else null
    PictureTarget target;
    std::unique_ptr<CDSCapture> engine;
};

// Starts the engine on the listed pair the window would take, with the settings applied.
bool StartEngine(Bench& bench, const MeasureOptions& o, const SettingsRecord& settings,
                 const FileSearchPlaces& places, const fs::path& scratch, std::string& error) {
    const DeviceTable devices = ListDevices(*bench.sound);
    const int listed = std::min(devices.deviceCount, kMaxListedDevices);
    const int device = o.device < 0 || o.device > listed - 1 ? 0 : o.device;
    bench.engine =
        std::make_unique<CDSCapture>(*bench.sound, bench.target, devices.captureDeviceIds[device],
                                     devices.outputDeviceIds[device], o.rate, places, scratch);
    bench.engine->SetInitialisationTrace(false);
    int deviceMaxRate = 0;
    const Status started = bench.engine->Start(deviceMaxRate);
    if (Failed(started)) {
        const std::string what =
            o.simulated ? "the simulated bench" : "--device " + std::to_string(o.device);
        error = what + ": cannot be started (error " + StatusHex(started) + ")";
        return false;
    }
    if (deviceMaxRate < o.rate) {
        error = "--rate " + std::to_string(o.rate) + ": the sound device goes up to " +
                std::to_string(deviceMaxRate) + " Hz";
        return false;
    }
    ApplySettingsToEngine(settings, *bench.engine);
    return true;
}

// Lets the time of one period pass for the engine: on the stepped bench the blocks it would
// capture meanwhile, on a device (or the bench on its own clock) the period itself.
bool LetPeriodPass(Bench& bench, int periodMs) {
    if (bench.stepped == nullptr) {
        std::this_thread::sleep_for(std::chrono::milliseconds(periodMs));
        return true;
    }
    return DeliverPeriod(*bench.stepped, *bench.engine, periodMs);
}

// Runs the sweep from the network button to its end, as timer 1 would; false with `error` set.
// A sweep that is `overdue` after so many ticks never ends.
bool Sweep(Bench& bench, SweepMethod& sweep, const SweepReport& report,
           const std::function<bool(int ticks)>& overdue, std::string& error) {
    sweep.ClearResults();
    std::optional<int> period = sweep.Start();
    for (int ticks = 0; period; ++ticks) {
        if (overdue(ticks)) {
            error = "the sweep did not end";
            return false;
        }
        if (!LetPeriodPass(bench, *period)) {
            error = "the simulated bench stopped delivering";
            return false;
        }
        if (bench.engine->DeviceLost()) {
            error = "the sound device stopped";
            return false;
        }
        period = sweep.Tick();
        if (report.FirstProblem()) {
            error = *report.FirstProblem();
            return false;
        }
    }
    return true;
}

bool SteppedSweepRun(Bench& bench, const SettingsRecord& settings, const FileSearchPlaces& places,
                     const SweepProgress& progress, SweepOutcome& outcome, std::string& error) {
    SweepReport report(progress);
    SteppedSweep sweep(
        bench.engine, report, [&settings] { return PlanFromSettings(settings); }, places);
    if (!Sweep(
            bench, sweep, report, [](int ticks) { return ticks == kTickLimit; }, error))
        return false;
    outcome.results = bench.engine->Sweep();
    if (NetworkRows(outcome.results).empty()) {
        error = "the sweep measured no point";
        return false;
    }
    return true;
}

bool LogSweepRun(Bench& bench, const MeasureOptions& o, const SettingsRecord& settings,
                 const FileSearchPlaces& places, const SweepProgress& progress,
                 SweepOutcome& outcome, std::string& error) {
    SweepReport report(progress);
    const LogSweepRunPlan plan = LogPlanFromSettings(settings);
    LogSweep sweep(
        bench.engine, report, [&plan] { return plan; }, places);
    // The capture in real time, and a minute for the analysis.
    const auto deadline = std::chrono::steady_clock::now() + kLogSweepAnalysisWait +
                          std::chrono::milliseconds(CaptureFramesFor(plan.sweep) * 1000 / o.rate);
    const auto overdue = [deadline](int) { return std::chrono::steady_clock::now() > deadline; };
    if (!Sweep(bench, sweep, report, overdue, error)) return false;
    outcome.logSweep = sweep.Result();
    if (!outcome.logSweep) {
        error = "the sweep measured nothing";
        return false;
    }
    return true;
}

// The chart the engine shows after the sweep, taken as it is shown. The engine shows at each block
// the picture drawn at the one before, and the end of the sweep's new record length drops a block:
// the chart is shown from the third block after the sweep on.
bool TakeChart(Bench& bench, QImage& picture) {
    const CDSCapture& engine = *bench.engine;
    const uint64_t chartDrawn = engine.BlocksProcessed() + kBlocksUntilChartShown;
    bool requested = false;
    const auto deadline = std::chrono::steady_clock::now() + kPictureWait;
    while (std::chrono::steady_clock::now() < deadline) {
        if (!requested && engine.BlocksProcessed() >= chartDrawn) {
            bench.target.RequestShownPicture();
            requested = true;
        }
        if (const std::optional<QImage> shown = bench.target.ShownPicture(); requested && shown) {
            picture = *shown;
            return true;
        }
        // One block at a time on the bench; a device's blocks come by themselves.
        if (bench.stepped != nullptr)
            DeliverBlocks(*bench.stepped, engine, 1);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}  // namespace

int RunSweep(const MeasureOptions& o, SweepOutcome& outcome, std::string& error,
             const SweepProgress& progress) {
    std::unique_ptr<SoundSystem> sound;
    SimBench* stepped = nullptr;
    if (o.simulated) {
        SimBenchOptions clock;
        clock.realTimeClock = o.simulatedRealTime;
        auto bench = std::make_unique<SimBench>(clock);
        if (!o.simulatedRealTime) stepped = bench.get();
        sound = std::move(bench);
    } else {
        auto portAudio = std::make_unique<PortAudioSystem>();
        if (Failed(portAudio->InitResult())) {
            error = "the sound library did not start (error " + StatusHex(portAudio->InitResult()) +
                    ")";
            return 1;
        }
        if (!CheckDevice(*portAudio, o.device, error)) return 1;
        sound = std::move(portAudio);
    }

    const ToneDirectory spare;
    if (spare.Path().empty()) {
        error = "no temporary directory can be made in " + fs::temp_directory_path().string();
        return 1;
    }
    const std::optional<FileSearchPlaces> places = PlacesWithEveryTone(spare.Path(), o, error);
    if (!places) return 1;

    const SettingsRecord settings = SweepSettingsFor(o);
    auto bench = std::make_unique<Bench>(std::move(sound), stepped, !o.png.empty());
    bool swept =
        StartEngine(*bench, o, settings, *places, spare.Path(), error) &&
        (o.logSweep ? LogSweepRun(*bench, o, settings, *places, progress, outcome, error)
                    : SteppedSweepRun(*bench, settings, *places, progress, outcome, error));
    if (swept && !o.png.empty() && !TakeChart(*bench, outcome.picture)) {
        error = "the network chart was not drawn";
        swept = false;
    }
    if (bench->engine && !bench->engine->Stop()) {
        (void)bench.release();  // its worker may still run: never free what it uses
        error = "the engine did not stop";
        return 1;
    }
    return swept ? 0 : 1;
}

}  // namespace velmora2
