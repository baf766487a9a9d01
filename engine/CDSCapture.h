// The engine: owns the capture and output devices, the generator buffer, the worker thread that
// runs the block pipeline on every captured half, and the off-screen picture the views draw into.
// All operations are called from the user-interface thread; the worker only reads the settings
// through a snapshot taken at the start of each block.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "audio/BlockQueue.h"
#include "audio/SoundSystem.h"
#include "display/Surface.h"
#include "engine/BlockPipeline.h"
#include "engine/DataLossReport.h"
#include "engine/EngineControl.h"
#include "engine/ModeData.h"
#include "engine/RuntimeState.h"
#include "engine/WavRecorder.h"
#include "platform/Event.h"
#include "platform/GeneratorFileSearch.h"
#include "platform/ProgramDirectory.h"
#include "platform/WakeSignal.h"

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
    // Stops a worker that is still running and finishes an open recording. Owners stop the
    // engine first (see StopAndRelease).
    ~CDSCapture();
    CDSCapture(const CDSCapture&) = delete;
    CDSCapture& operator=(const CDSCapture&) = delete;

    // Starts the worker and waits until it has initialised the devices. Returns the
    // initialisation result; deviceMaxRate receives the output device's highest rate once that
    // query has succeeded. On failure no worker is left running.
    Status Start(int& deviceMaxRate);
    // Asks the worker to end and waits for it (3000 ms, then a further 3000 ms). Returns false when
    // the worker did not end: it is then detached and this object must never be destroyed.
    bool Stop();

    // Generator. SetGeneratorFile stores the name and loads it (LoadGeneratorWave's result).
    int SetGeneratorFile(const std::string& fileName);
    // Loads the generator file: 0, the file's rate when it is above the device's highest rate, or
    // a negative code of the step that failed (-1 not found or unreadable, -2 not RIFF/WAVE, -3
    // no "fmt ", -4 empty "fmt ", -5 not usable PCM, -6 "fmt " cut off, -7 no "data", -8 empty
    // "data", -9 no output buffer, -10 buffer not filled, -11 data unreadable or cut off, -15 the
    // generator could not be started). The new sound replaces the old one only when the whole
    // file has been loaded; otherwise the previous sound goes on while the generator is on.
    int LoadGeneratorWave();
    void SetGeneratorVolume(int32_t hundredthsDb);
    void SetOutputs(bool leftShown, bool rightShown, bool generatorOn);

    // Recorder: every captured block, in every mode and in hold, goes to the open recording.
    // StartRecording returns 18, or -1 when a recording is open or none can be created.
    int StartRecording();
    void StopRecording();
    RecordingInfo Recording() const { return recorder_.Info(); }
    // Called on the worker thread, once, when a block cannot be written; the file then holds
    // every block written before and is already closed.
    void SetRecordingFailureHandler(std::function<void(int fileNumber)> handler) {
        recorder_.SetFailureHandler(std::move(handler));
    }
    // Tests: how recording files are created, and a smaller size limit.
    WavRecorder& RecorderForTests() { return recorder_; }

    // Control operations.
    void SetMode(int32_t mode);
    void ToggleRun();
    void ResetSweep();
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
    void SetAveraging(bool on, int32_t length);
    void SetSweepPoints(int32_t points);
    void SetSlowSweep(bool on);
    void SetPeakSearch(bool on);
    void StartSweepPoint(int32_t index);
    void ApplyDisplayScales(const DisplayScales& scales);
    void SetCursors(const std::array<int32_t, kEngineCursorCount>& positions);

    // Observation.
    RuntimeState Settings() const { return control_.Read(); }
    int SampleRate() const { return sampleRate_; }
    uint64_t BlocksProcessed() const { return blocksProcessed_.load(std::memory_order_acquire); }
    // Blocks of input lost since Start because the worker fell too far behind.
    uint64_t BlocksDropped() const { return queue_.DroppedCount() - droppedAtStart_; }
    // Whether the generator buffer is playing.
    bool GeneratorPlaying() const;
    // Complete records that went through the spectrum analysis.
    uint64_t RecordsAnalysed() const { return pipeline_.RecordsAnalysed(); }

    // A copy of the data behind the current picture, taken by the worker after its next block.
    // False when no block was processed within `wait` (the engine keeps running either way).
    bool TakeModeData(ModeData& out, std::chrono::milliseconds wait);

    // What the worker hands an observer after each block: the half, its 8192 captured bytes, and
    // the sample block and worker state as the block left them.
    struct ProcessedBlock {
        int half;
        const uint8_t* bytes;
        const SampleBlock& samples;
        const WorkerState& state;
        bool dropped;  // the block only applied a new record length
    };
    // The one trace line per initialisation step on standard error; on unless turned off (a
    // command whose standard error is for its own messages). Set before Start.
    void SetInitialisationTrace(bool on) { traceInitialisation_ = on; }

    // Called on the worker after every block (for tests and diagnostics). Set before Start.
    using BlockObserver = std::function<void(const ProcessedBlock&)>;
    void SetBlockObserver(BlockObserver observer) { blockObserver_ = std::move(observer); }

private:
    void WorkerMain();
    Status InitialiseDevices();
    void TraceStep(int step, Status result) const;
    void RunWaitLoop();
    void ReleaseDevices();
    void ProcessBlock(int half);
    void DrawMeterImages();
    Status PlayGenerator(OutputBuffer& buffer, int32_t volume);
    int ReplaceGenerator(const std::string& fileName);
    void ReportDataLoss(uint64_t droppedBlocks);

    SoundSystem& sound_;
    DrawingTarget& window_;
    const DeviceId captureDeviceId_;
    const DeviceId outputDeviceId_;
    const int sampleRate_;
    const FileSearchPlaces files_;

    EngineControl control_;
    RuntimeState snapshot_;  // worker: the settings of the block being processed

    WakeSignal wake_;
    BlockQueue queue_{wake_};
    uint64_t droppedAtStart_ = 0;
    DataLossReport lossReport_;
    std::atomic<bool> stopRequested_{false};
    Event initDone_;
    Event threadEnded_;
    std::thread thread_;
    Status initResult_ = kOk;
    int deviceMaxRate_ = 0;
    bool deviceMaxRateKnown_ = false;

    std::unique_ptr<CaptureDevice> captureDevice_;
    std::unique_ptr<CaptureBuffer> captureBuffer_;
    std::unique_ptr<OutputDevice> outputDevice_;
    std::atomic<std::shared_ptr<OutputBuffer>> generator_;

    uint8_t captureBytes_[kCaptureBufferBytes] = {};
    BlockPipeline pipeline_;
    WavRecorder recorder_;
    RecordingNotice notice_;  // worker: what this block's picture says about the recording
    std::atomic<uint64_t> blocksProcessed_{0};
    BlockObserver blockObserver_;
    bool traceInitialisation_ = true;

    std::atomic<bool> modeDataWanted_{false};
    std::mutex modeDataMutex_;
    ModeData modeData_;
    Event modeDataReady_;
};

// Stops the engine and destroys it; an engine whose worker would not end is left allocated (a
// leak, never a crash). The pointer is empty afterwards.
void StopAndRelease(std::unique_ptr<CDSCapture>& engine);

}  // namespace velmora2
