// Everything the engine's worker thread touches, and the worker's own code: device start-up, the
// wait loop and the hand-off of each block to the pipeline. The worker holds a reference of its
// own to this object, so an engine whose worker would not end can be destroyed without freeing
// any of it under the worker.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>

#include "audio/BlockQueue.h"
#include "audio/SoundSystem.h"
#include "display/Surface.h"
#include "engine/BlockPipeline.h"
#include "engine/DataLossReport.h"
#include "engine/EngineControl.h"
#include "engine/InputCapture.h"
#include "engine/ModeData.h"
#include "engine/SharedSlot.h"
#include "engine/WavRecorder.h"
#include "platform/Event.h"
#include "platform/GeneratorFileSearch.h"
#include "platform/WakeSignal.h"
#include "records/RuntimeState.h"

namespace velmora2 {

// What the worker hands an observer after each block: the half, its 8192 captured bytes, and
// the sample block and worker state as the block left them.
struct ProcessedBlock {
    int half;
    const uint8_t* bytes;
    const SampleBlock& samples;
    const WorkerState& state;
    bool dropped;  // the block only applied a new record length
    std::chrono::steady_clock::duration processingTime;  // the worker's time for the block
};
using BlockObserver = std::function<void(const ProcessedBlock&)>;

class EngineWorker {
public:
    EngineWorker(SoundSystem& sound, DrawingTarget& window, DeviceId captureDevice,
                 DeviceId outputDevice, int rate, FileSearchPlaces generatorFiles,
                 const std::filesystem::path& recordingsDirectory);

    // The thread body: initialise, report through initDone, run blocks until asked to stop,
    // release the devices, report through threadEnded.
    void Run();

    // Blocks of input lost since Start because the worker fell too far behind.
    uint64_t BlocksDropped() const { return queue.DroppedCount() - droppedAtStart; }
    // Blocks of input lost since the last recording started (it has gaps where they belong).
    uint64_t BlocksLostSinceRecordingStart() const {
        return queue.DroppedCount() - droppedAtRecordingStart.load(std::memory_order_acquire);
    }
    // Finishes the open recording for `reason` and writes its end line (RecordingEndLine) to
    // standard error. Either thread.
    void FinishRecording(const char* reason);

    // No block for this long while the capture runs on a clock: the device has stopped.
    static constexpr std::chrono::seconds kSilenceLimit{2};

    const int sampleRate;
    const FileSearchPlaces files;  // where generator files are looked up
    EngineControl control;
    WakeSignal wake;
    BlockQueue queue{wake};
    std::atomic<bool> stopRequested{false};
    Event initDone;
    Event threadEnded;
    Status initResult = kOk;
    int deviceMaxRate = 0;
    bool deviceMaxRateKnown = false;
    bool traceInitialisation = true;  // set before Start
    uint64_t droppedAtStart = 0;      // set by Start before the worker runs
    DataLossReport lossReport;        // the worker's
    std::atomic<uint64_t> blocksProcessed{0};
    BlockObserver blockObserver;
    BlockPipeline pipeline;
    WavRecorder recorder;
    std::atomic<uint64_t> droppedAtRecordingStart{0};
    // A capture of both inputs being filled, block by block; let go of once it is full or lost.
    SharedSlot<InputCapture> inputCapture;
    // The log sweep the network plot shows, or none (the stepped sweep's points).
    SharedSlot<const LogSweepResult> logSweepShown;
    std::function<void()> deviceLostHandler;  // set before Start; called once, on the worker
    std::atomic<bool> deviceLost{false};

    // Held while the generator flag is changed and the buffer started or stopped, by the user
    // interface and by the worker alike: a stop decided on an older view of the flag can then
    // never undo a newer switch-on.
    std::mutex generatorMutex;
    std::atomic<std::shared_ptr<OutputBuffer>> generator;
    // The output device, for new generator buffers; none before initialisation and after the
    // worker has ended.
    OutputDevice* Output() const { return outputDevice_.get(); }

    // A copy of the data behind the picture, asked for by the user interface and taken by the
    // worker after its next block.
    std::atomic<bool> modeDataWanted{false};
    std::mutex modeDataMutex;
    ModeData modeData;
    Event modeDataReady;

private:
    Status InitialiseDevices();
    void TraceStep(int step, Status result) const;
    void RunWaitLoop();
    void ReleaseDevices();
    void ProcessBlock(int half);
    void DrawMeterImages();
    void StopGeneratorIfSwitchedOff();
    void ReportDataLoss(uint64_t droppedBlocks);
    void WriteEndLine(const FinishedRecording& finished) const;
    void OnDeviceLost(const char* reason);

    SoundSystem& sound_;
    DrawingTarget& window_;
    const DeviceId captureDeviceId_;
    const DeviceId outputDeviceId_;

    RuntimeState snapshot_;   // the settings of the block being processed
    RecordingNotice notice_;  // what this block's picture says about the recording
    std::unique_ptr<CaptureDevice> captureDevice_;
    std::unique_ptr<CaptureBuffer> captureBuffer_;
    std::unique_ptr<OutputDevice> outputDevice_;
    uint8_t captureBytes_[kCaptureBufferBytes] = {};
};

}  // namespace velmora2
