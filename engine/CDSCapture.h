// The engine: owns the capture and output devices, the generator buffer, the worker thread that
// runs the block pipeline on every captured half, and the off-screen picture the views draw into.
// All operations are called from the user-interface thread; the worker only reads the settings
// through a snapshot taken at the start of each block.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "audio/SoundSystem.h"
#include "display/Surface.h"
#include "engine/EngineWorker.h"
#include "engine/InputCapture.h"
#include "engine/WavRecorder.h"
#include "platform/GeneratorFileSearch.h"
#include "platform/ProgramDirectory.h"
#include "records/GeneratorSignal.h"
#include "records/RuntimeState.h"

namespace velmora2 {

class CDSCapture {
public:
    // Touches no device: the devices are opened by the worker in Start. Generator files are
    // looked up in `files`; recordings are written into recordingsDirectory (empty: the program
    // directory of `files`).
    CDSCapture(SoundSystem& sound, DrawingTarget& window, DeviceId captureDevice,
               DeviceId outputDevice, int sampleRate,
               FileSearchPlaces files = ProgramSearchPlaces(ProgramDirectory()),
               const std::filesystem::path& recordingsDirectory = {});
    // Stops a worker that is still running and finishes an open recording. A worker that does
    // not end keeps what it uses alive by itself (the recording included), so destroying the
    // engine is always safe.
    ~CDSCapture();
    CDSCapture(const CDSCapture&) = delete;
    CDSCapture& operator=(const CDSCapture&) = delete;

    // Starts the worker and waits until it has initialised the devices. Returns the
    // initialisation result; deviceMaxRate receives the output device's highest rate once that
    // query has succeeded. On failure no worker is left running.
    Status Start(int& deviceMaxRate);
    // Asks the worker to end and waits for it, at most kStopWait, so that even a device whose
    // close call hangs cannot hold the caller longer. Returns false when the worker did not end
    // (now or at an earlier stop): it is then detached and left running on its own share of the
    // engine, and on the sound system and drawing target, which the owner must then never tear
    // down.
    bool Stop();
    static constexpr std::chrono::milliseconds kStopWait{2800};

    // The capture stream failed or ended, or no block came for kSilenceLimit while the capture
    // runs on a clock: the worker has finished an open recording, left its wait loop and closes
    // the devices. The handler is called once, on the worker, before the devices are closed. Set
    // before Start.
    static constexpr std::chrono::seconds kSilenceLimit = EngineWorker::kSilenceLimit;
    void SetDeviceLostHandler(std::function<void()> handler) {
        worker_->deviceLostHandler = std::move(handler);
    }
    bool DeviceLost() const { return worker_->deviceLost.load(std::memory_order_acquire); }

    // Generator. SetGeneratorFile stores the name and loads it (LoadGeneratorWave's result).
    int SetGeneratorFile(const std::string& fileName);
    void SetGeneratorVolume(int32_t hundredthsDb);
    void SetOutputs(bool leftShown, bool rightShown, bool generatorOn);
    // Loads the generator file: 0, the file's rate when it is above the device's highest rate, or
    // a negative code of the step that failed (-1 not found or unreadable, -2 not RIFF/WAVE, -3
    // no "fmt ", -4 empty "fmt ", -5 not usable PCM, -6 "fmt " cut off, -7 no "data", -8 empty
    // "data", -9 no output buffer, -10 buffer not filled, -11 data unreadable or cut off, -15 the
    // generator could not be started). The new sound replaces the old one only when the whole
    // file has been loaded; otherwise the previous sound goes on while the generator is on.
    int LoadGeneratorWave();
    // The generator's own signal instead of a file, at the engine's rate: 0, the codes -9, -10
    // and -15 as for a file, or kGeneratorSignalRefused when the signal cannot be made at this
    // rate (SignalProblem says why). The previous sound goes on when it fails. A playing sine
    // that only changes its frequency goes on from the phase it has reached, a fifth of a
    // second later, without a step.
    static constexpr int kGeneratorSignalRefused = -16;
    int SetGeneratorSignal(const GeneratorSignal& signal);
    // Interleaved 16-bit left/right samples of the engine's rate, played looped from their first
    // frame (a measurement's own stimulus): 0, or the codes -9, -10 and -15 as for a file.
    int SetGeneratorSamples(const std::vector<int16_t>& interleaved);
    // A capture of both inputs of `frames` frames, filled by the worker from its next block on (in
    // every mode and in hold); null when its memory cannot be had. It replaces one still filling.
    std::shared_ptr<const InputCapture> StartInputCapture(int64_t frames);
    // Recorder: every captured block, in every mode and in hold, goes to the open recording.
    // StartRecording returns 18, or -1 when a recording is open or none can be created.
    int StartRecording();
    // Finishes the open recording and writes its end line, with the blocks of input lost while it
    // was open, to standard error.
    void StopRecording();
    // Blocks of input lost since the last recording started (it has gaps where they belong).
    uint64_t BlocksLostSinceRecordingStart() const {
        return worker_->BlocksLostSinceRecordingStart();
    }
    RecordingInfo Recording() const { return worker_->recorder.Info(); }
    // Called on the worker thread, once a recording, when the recorder ends it by itself: a
    // block cannot be written, or the file is full. The file then holds every block written
    // before and is already closed.
    void SetRecordingEndHandler(WavRecorder::EndHandler handler) {
        worker_->recorder.SetEndHandler(std::move(handler));
    }
    // Tests: how recording files are created, and a smaller size limit.
    WavRecorder& RecorderForTests() { return worker_->recorder; }

    // Control operations.
    void SetMode(int32_t mode);
    void ToggleRun();
    // Forgets the stepped sweep's points and any log sweep shown.
    void ResetSweep();
    // The network plot draws this log sweep's curve (null: the stepped sweep's points again).
    void ShowLogSweep(std::shared_ptr<const LogSweepResult> result) {
        worker_->logSweepShown.Store(std::move(result));
    }
    std::shared_ptr<const LogSweepResult> ShownLogSweep() const {
        return worker_->logSweepShown.Load();
    }
    // The spectrum's notice of a log sweep's capture, in percent; -1 takes it away.
    void SetLogSweepProgress(int32_t percent);
    void SetTriggerLevel(int32_t level);
    void SetTriggerSource(int source);  // 0 off, 1 left, 2 right
    void SetTriggerMode(bool rising, bool repeat);
    // Refuses (returns a positive status) a length that is not a power of two in 256 ... 65536.
    // Before Start it takes effect at once, so the first captured block is not dropped for it.
    Status SetRecordLength(int32_t length);
    void SetChannelDelay(int32_t delay);
    // Refuses (returns a positive status) a factor other than 1, 2 or 4.
    Status SetOversampling(int32_t factor);
    void SetLogAxis(bool on);
    void SetWindowFunction(const std::string& name);
    void SetDifferenceUnit(bool seconds);
    void SetDelayDisplay(bool on);
    void SetAdcRange(bool on);
    void SetMeasurements(bool mainFrequency, bool thd, bool thdPlusNoise, bool signalToNoise,
                         bool highPass);
    void SetPrecisionReadout(const PrecisionReadoutSettings& precision);
    void SetAveraging(bool on, int32_t length);
    void SetSweepPoints(int32_t points);
    void SetSlowSweep(bool on);
    void SetPeakSearch(bool on);
    void StartSweepPoint(int32_t index);
    void ApplyDisplayScales(const DisplayScales& scales);
    void SetCursors(const std::array<int32_t, kEngineCursorCount>& positions);

    // Observation.
    RuntimeState Settings() const { return worker_->control.Read(); }
    int SampleRate() const { return worker_->sampleRate; }
    uint64_t BlocksProcessed() const {
        return worker_->blocksProcessed.load(std::memory_order_acquire);
    }
    // Blocks of input lost since Start because the worker fell too far behind.
    uint64_t BlocksDropped() const { return worker_->BlocksDropped(); }
    // Whether the generator buffer is playing.
    bool GeneratorPlaying() const;
    // Complete records that went through the spectrum analysis.
    uint64_t RecordsAnalysed() const { return worker_->pipeline.RecordsAnalysed(); }
    // The network sweep's table and per-point results as the worker last left them.
    SweepResults Sweep() const { return worker_->pipeline.PublishedSweep(); }

    // A copy of the data behind the current picture, taken by the worker after its next block.
    // False when no block was processed within `wait` (the engine keeps running either way).
    bool TakeModeData(ModeData& out, std::chrono::milliseconds wait);

    // The one trace line per initialisation step on standard error; on unless turned off (a
    // command whose standard error is for its own messages). Set before Start.
    void SetInitialisationTrace(bool on) { worker_->traceInitialisation = on; }

    using ProcessedBlock = velmora2::ProcessedBlock;
    // Called on the worker after every block (for tests and diagnostics). Set before Start.
    void SetBlockObserver(BlockObserver observer) { worker_->blockObserver = std::move(observer); }

private:
    // Copies `count` bytes of the new sound from `offset` into `piece`; false when it cannot.
    using GeneratorFiller = std::function<bool(uint32_t offset, uint8_t* piece, uint32_t count)>;

    Status PlayGenerator(OutputBuffer& buffer, int32_t volume);
    int ReplaceGenerator(const std::string& fileName);
    // A new output buffer of the format filled in pieces, swapped in whole for the old one.
    int InstallGenerator(const WaveFormat& format, uint32_t bytes, const GeneratorFiller& read);
    int InstallSamples(const std::vector<int16_t>& interleaved);
    int PlayIfOn(int result);
    // The frequency change of a playing sine at an exact frame of its buffer; false when it
    // cannot be done that way.
    bool GlideTo(const GeneratorSignal& next);

    // Shared with the worker thread, which keeps it alive for as long as it runs.
    std::shared_ptr<EngineWorker> worker_;
    std::thread thread_;
    bool workerLeftRunning_ = false;
    // The sine the generator buffer plays, as made (its start phase the one it has at frame
    // `origin` of the buffer); nothing while it plays a file or another signal.
    struct PlayingSine {
        GeneratorSignal asMade;
        uint64_t origin = 0;
    };
    std::optional<PlayingSine> playingSine_;
};

// Stops the engine and destroys it; the pointer is empty afterwards. Returns false when the
// worker would not end and was left running.
bool StopAndRelease(std::unique_ptr<CDSCapture>& engine);

}  // namespace velmora2
