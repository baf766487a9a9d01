#include "tools/measure/SweepRun.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

#include "app/CTarvikDlg.h"
#include "audio/SoundSystem.h"
#include "audio/portaudio/PortAudioSystem.h"
#include "audio/sim/SimBench.h"
#include "audio/sim/SteppedDelivery.h"
#include "dataexport/DataCsv.h"
#include "dialogs/CDlgDevice.h"
#include "dialogs/MemoryDialogView.h"
#include "engine/ToneFile.h"
#include "panel/ControlIds.h"
#include "platform/GeneratorFileNames.h"
#include "platform/GeneratorFileSearch.h"
#include "platform/ProgramDirectory.h"
#include "settings/SettingsFile.h"
#include "tools/measure/HeadlessServices.h"
#include "tools/measure/PictureTarget.h"

namespace velmora2 {

namespace {

namespace fs = std::filesystem;

// The window ends a sweep on the tick after its last point; more ticks than this mean it never
// will.
constexpr int kTickLimit = kMaxSweepPoints + 2;
constexpr uint64_t kBlocksUntilChartShown = 2;
// How long a sound device may take to show the finished chart.
constexpr auto kPictureWait = std::chrono::seconds(3);

// The directory the window runs in: its settings file and the sweep's tone files. Removed with
// everything in it when the run ends.
class InstrumentDirectory {
public:
    InstrumentDirectory() {
        std::string pattern = (fs::temp_directory_path() / "velmora2-sweep-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~InstrumentDirectory() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    InstrumentDirectory(const InstrumentDirectory&) = delete;
    InstrumentDirectory& operator=(const InstrumentDirectory&) = delete;

    // Empty when it could not be made.
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// Puts every tone the sweep and the window's own generator play into the directory: a link to the
// file the program would play where one is found, else a freshly written one. False with `error`
// set when one can be neither linked nor written.
bool ProvideToneFiles(const fs::path& directory, const MeasureOptions& o, std::string& error) {
    const SweepTable table = BuildSweepTable(o.points, o.rate);
    std::vector<std::pair<std::string, std::pair<int, int>>> tones;  // name, (Hz, rate)
    for (int i = 0; i < table.count; ++i) {
        const int hz = static_cast<int>(std::lround(table.frequency[i]));
        tones.push_back({ToneFileName(hz, o.rate), {hz, o.rate}});
    }
    tones.push_back({kDefaultToneFile, {1000, 48000}});
    const FileSearchPlaces places = ProgramSearchPlaces(ProgramDirectory());
    for (const auto& [name, tone] : tones) {
        const fs::path target = directory / name;
        std::error_code linkError;
        if (const std::optional<fs::path> found = FindGeneratorFile(name, places)) {
            fs::create_symlink(fs::absolute(*found), target, linkError);
            if (!linkError) continue;
        }
        if (!WriteToneFile(target, tone.first, tone.second)) {
            error = target.string() + ": cannot be written";
            return false;
        }
    }
    return true;
}

// The device check the window leaves out (it falls back to the first pair): the pair must be
// listed and usable.
bool CheckDevice(SoundSystem& sound, int device, std::string& error) {
    HeadlessServices services;
    CDlgDevice dialog(sound, /*autoClose=*/true);
    const bool listed = services.RunModal(dialog) == CDlgDevice::kOkResult;
    const DeviceTable& table = dialog.Devices();
    const int count = listed ? std::min(table.deviceCount, kMaxListedDevices) : 0;
    const std::string option = "--device " + std::to_string(device);
    if (device >= count) {
        error = option + ": no such sound device (" + std::to_string(count) +
                " listed; see velmora2-list-devices)";
        return false;
    }
    if (!sound.CanUseCaptureDevice(table.captureDeviceIds[device]) ||
        !sound.CanUseOutputDevice(table.outputDeviceIds[device])) {
        const std::vector<std::string>& names = dialog.DeviceNames();
        const std::string name =
            static_cast<size_t>(device) < names.size() ? " (" + names[device] + ")" : "";
        error = option + name + ": cannot record and play 16-bit stereo";
        return false;
    }
    return true;
}

// Everything the window uses, held together so that a window whose engine would not stop can be
// left with all of it.
struct Bench {
    Bench(std::unique_ptr<SoundSystem> soundSystem, SimBench* steppedBench, bool pixels,
          const fs::path& directory)
        : sound(std::move(soundSystem)),
          stepped(steppedBench),
          target(pixels),
          window(*sound, target, view, services, directory) {}

    std::unique_ptr<SoundSystem> sound;
    SimBench* stepped;  // the bench when the sound system is the stepped one, else null
    PictureTarget target;
    MemoryDialogView view;
    HeadlessServices services;
    CTarvikDlg window;
};

// Lets the time of one period pass for the engine: on the stepped bench the blocks it would
// capture meanwhile, on a device the period itself.
bool LetPeriodPass(Bench& bench, int periodMs, int rate) {
    if (bench.stepped == nullptr) {
        std::this_thread::sleep_for(std::chrono::milliseconds(periodMs));
        return true;
    }
    const int blocks =
        static_cast<int>(std::ceil(static_cast<double>(rate) * periodMs / 1000.0 / kBlockFrames));
    return DeliverBlocks(*bench.stepped, *bench.window.MainEngine(), blocks);
}

// The index of the sweep point whose tone file the generator plays; -1 for none.
int SweepPointPlaying(const CDSCapture& engine, const MeasureOptions& o) {
    const std::string playing = engine.Settings().generatorFile;
    const SweepTable table = BuildSweepTable(o.points, o.rate);
    for (int i = 0; i < table.count; ++i)
        if (ToneFileName(static_cast<int>(std::lround(table.frequency[i])), o.rate) == playing)
            return i;
    return -1;
}

std::string FirstProblem(const HeadlessServices& services, const std::string& otherwise) {
    return services.Problems().empty() ? otherwise : services.Problems().front();
}

// Runs the sweep from the network button to the end of the sweep; false with `error` set.
bool Sweep(Bench& bench, const MeasureOptions& o, const SweepProgress& progress,
           std::string& error) {
    CTarvikDlg& window = bench.window;
    HeadlessServices& services = bench.services;
    window.SetStartTrace(false);
    window.OnInitDialog();
    if (services.EndResult() || window.MainEngine() == nullptr) {
        const std::string what =
            o.simulated ? "the simulated bench" : "--device " + std::to_string(o.device);
        error = what + ": cannot be started (" + FirstProblem(services, "no engine") + ")";
        return false;
    }
    if (window.Settings().deviceMaxRate < o.rate) {
        error = "--rate " + std::to_string(o.rate) + ": the sound device goes up to " +
                std::to_string(window.Settings().deviceMaxRate) + " Hz";
        return false;
    }
    window.OnCommand(ctl::kModeNetwork);
    int shownIndex = -1;
    for (int ticks = 0; const std::optional<int> period = services.TimerPeriod(CTarvikDlg::kTimer1);
         ++ticks) {
        if (ticks == kTickLimit) {
            error = "the sweep did not end";
            return false;
        }
        if (!LetPeriodPass(bench, *period, o.rate)) {
            error = "the simulated bench stopped delivering";
            return false;
        }
        services.RunPosted();
        if (window.MainEngine() == nullptr) {
            error = FirstProblem(services, "the sound device stopped");
            return false;
        }
        window.OnTimer(CTarvikDlg::kTimer1);
        if (!services.Problems().empty()) {
            error = services.Problems().front();
            return false;
        }
        // The point being measured is the one whose tone the generator plays.
        const int playing = SweepPointPlaying(*window.MainEngine(), o);
        if (services.TimerPeriod(CTarvikDlg::kTimer1) && playing >= 0 && playing != shownIndex &&
            progress) {
            shownIndex = playing;
            progress(playing + 1, o.points, BuildSweepTable(o.points, o.rate).frequency[playing]);
        }
    }
    return true;
}

// The chart the engine shows after the sweep, taken as it is shown. The engine shows at each block
// the picture drawn at the one before, and the end of the sweep's new record length drops a block:
// the chart is shown from the third block after the sweep on.
bool TakeChart(Bench& bench, QImage& picture) {
    const CDSCapture& engine = *bench.window.MainEngine();
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
        auto bench = std::make_unique<SimBench>();
        stepped = bench.get();
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

    const InstrumentDirectory directory;
    if (directory.Path().empty()) {
        error = "no temporary directory can be made in " + fs::temp_directory_path().string();
        return 1;
    }
    SettingsRecord settings;
    settings.wavn = o.points;
    settings.fsample = o.rate;
    settings.slowSweep = o.slow;
    settings.device = std::max(o.device, 0);
    if (SaveSettingsFile(directory.Path(), settings) != SettingsSave::Saved) {
        error = directory.Path().string() + ": the settings cannot be written";
        return 1;
    }
    if (!ProvideToneFiles(directory.Path(), o, error)) return 1;

    auto bench =
        std::make_unique<Bench>(std::move(sound), stepped, !o.png.empty(), directory.Path());
    bool swept = Sweep(*bench, o, progress, error);
    if (swept) {
        outcome.results = bench->window.MainEngine()->Sweep();
        if (NetworkRows(outcome.results).empty()) {
            error = "the sweep measured no point";
            swept = false;
        }
    }
    if (swept && !o.png.empty() && !TakeChart(*bench, outcome.picture)) {
        error = "the network chart was not drawn";
        swept = false;
    }
    bench->window.OnClose();
    if (bench->window.WorkerLeftRunning()) {
        (void)bench.release();  // its worker may still run: never free what it uses
        error = "the engine did not stop";
        return 1;
    }
    return swept ? 0 : 1;
}

}  // namespace velmora2
