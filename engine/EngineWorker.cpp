#include "engine/EngineWorker.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

#include "analysis/SideThread.h"
#include "engine/MeterImage.h"

namespace velmora2 {

EngineWorker::EngineWorker(SoundSystem& sound, DrawingTarget& window, DeviceId captureDevice,
                           DeviceId outputDevice, int rate, FileSearchPlaces generatorFiles,
                           const std::filesystem::path& recordingsDirectory)
    : sampleRate(rate),
      files(std::move(generatorFiles)),
      pipeline(window, rate),
      recorder(recordingsDirectory.empty() ? files.programDirectory : recordingsDirectory, rate,
               ShownRecordingsDirectory(recordingsDirectory, files.programDirectory,
                                        std::getenv("HOME") != nullptr ? std::getenv("HOME") : "")),
      sound_(sound),
      window_(window),
      captureDeviceId_(captureDevice),
      outputDeviceId_(outputDevice) {}

void EngineWorker::Run() {
    initResult = InitialiseDevices();
    const bool initialised = !Failed(initResult);
    if (initialised) DrawMeterImages();
    initDone.Set();
    if (initialised) {
        std::optional<SideThread> side;
        try {
            side.emplace();
        } catch (const std::system_error&) {
            // Without it the long records are analysed on this thread alone.
        }
        pipeline.UseSideThread(side ? &*side : nullptr);
        RunWaitLoop();
        pipeline.UseSideThread(nullptr);
        // Asked to stop (the window closes): a recording still open ends here, with its line.
        FinishRecording("the engine stopped");
    }
    ReleaseDevices();
    threadEnded.Set();
}

void EngineWorker::TraceStep(int step, Status result) const {
    if (traceInitialisation)
        std::fprintf(stderr, "[%d]: result = %08X\n", step, static_cast<unsigned>(result));
}

Status EngineWorker::InitialiseDevices() {
    Status r = sound_.OpenCaptureDevice(captureDeviceId_, captureDevice_);
    TraceStep(1, r);
    if (Failed(r)) return r;

    r = sound_.OpenOutputDevice(outputDeviceId_, outputDevice_);
    if (Failed(r)) return r;

    int maxRate = 0;
    r = outputDevice_->QueryMaxSampleRate(maxRate);
    TraceStep(2, r);
    if (Failed(r)) return r;
    deviceMaxRate = maxRate;
    deviceMaxRateKnown = true;

    const WaveFormat format = WaveFormat::StereoPcm16(static_cast<uint32_t>(sampleRate));
    r = captureDevice_->CreateCaptureBuffer(format, kCaptureBufferBytes, captureBuffer_);
    TraceStep(3, r);
    if (Failed(r)) return r;

    r = captureBuffer_->AttachQueue(&queue);
    TraceStep(4, r);
    if (Failed(r)) return r;

    r = captureBuffer_->SetNotificationPositions(kBlockBytes - 1, kCaptureBufferBytes - 1);
    TraceStep(5, r);
    if (Failed(r)) return r;

    r = captureBuffer_->Start();
    if (Failed(r)) return r;

    // The first generator buffer is silence and is not played.
    std::unique_ptr<OutputBuffer> silence;
    r = outputDevice_->CreateOutputBuffer(format, kCaptureBufferBytes, silence);
    TraceStep(3, r);
    if (Failed(r)) return r;
    generator.store(std::shared_ptr<OutputBuffer>(std::move(silence)));
    return r;
}

void EngineWorker::RunWaitLoop() {
    using Clock = std::chrono::steady_clock;
    const bool watchSilence = captureBuffer_->PacedByClock();
    // A block that comes by the clock has a deadline: no block carries a long record's whole
    // analysis. Blocks stepped by hand or read from a file as fast as they are taken have none.
    pipeline.ShareLongRecords(captureBuffer_->PacedByClock());
    auto lastBlock = Clock::now();
    // Silence counts only once input has flowed: some servers send the first block of a new
    // stream only after a couple of seconds.
    bool inputFlowing = false;
    int half = 0;
    while (!stopRequested.load(std::memory_order_acquire)) {
        if (queue.Pop(&captureBytes_[half * kBlockBytes])) {
            ProcessBlock(half);
            half ^= 1;
            lastBlock = Clock::now();
            inputFlowing = true;
            continue;
        }
        if (queue.Ended()) return OnDeviceLost("the capture stream ended");
        if (!watchSilence || !inputFlowing) {
            wake.Wait();
            continue;
        }
        const auto silence = Clock::now() - lastBlock;
        if (silence >= kSilenceLimit) return OnDeviceLost("no input for 2 s");
        wake.WaitFor(kSilenceLimit - silence);
    }
}

void EngineWorker::OnDeviceLost(const char* reason) {
    std::fprintf(stderr, "engine: the capture device stopped (%s)\n", reason);
    deviceLost.store(true, std::memory_order_release);
    // What was recorded up to the loss is kept as a complete file.
    FinishRecording("the sound device stopped");
    if (deviceLostHandler) deviceLostHandler();
}

void EngineWorker::FinishRecording(const char* reason) {
    if (const std::optional<FinishedRecording> finished = recorder.Stop(reason))
        WriteEndLine(*finished);
}

void EngineWorker::WriteEndLine(const FinishedRecording& finished) const {
    const std::string line = RecordingEndLine(finished, BlocksLostSinceRecordingStart());
    std::fputs(line.c_str(), stderr);
}

void EngineWorker::ReleaseDevices() {
    captureBuffer_.reset();
    captureDevice_.reset();
    {
        std::lock_guard lock(generatorMutex);
        if (auto playing = generator.exchange(nullptr)) playing->Stop();
    }
    outputDevice_.reset();
}

void EngineWorker::DrawMeterImages() {
    const std::unique_ptr<Surface> meter =
        window_.CreateSurface(kMeterWidth, kMeterHeight, kMeterDark);
    DrawMeterImage(*meter);
    window_.CopyToWindow(*meter, 20, 12);
    window_.CopyToWindow(*meter, 50, 12);
}

void EngineWorker::ProcessBlock(int half) {
    const auto start = std::chrono::steady_clock::now();
    WorkerRequests requests;
    control.TakeSnapshot(snapshot_, requests);
    const uint8_t* bytes = &captureBytes_[half * kBlockBytes];
    // Before the pipeline, so that a block the pipeline drops (a new record length) is recorded
    // all the same: a recording never has a gap.
    if (const std::optional<FinishedRecording> ended =
            recorder.HandOff(bytes, kBlockBytes, notice_))
        WriteEndLine(*ended);
    if (const std::shared_ptr<InputCapture> capture = inputCapture.Load()) {
        capture->Feed(bytes, kBlockFrames, queue.DroppedCount());
        if (capture->Current() != InputCapture::State::Filling) inputCapture.ClearIf(capture);
    }
    pipeline.SetRecordingStatus(
        RecordingStatus{notice_.active, std::string_view(notice_.fileName.data()), notice_.full,
                        std::string_view(notice_.directory.data())});
    const uint64_t dropped = BlocksDropped();
    ReportDataLoss(dropped);
    pipeline.SetInputLoss(dropped);
    pipeline.ShowLogSweep(logSweepShown.Load());
    const BlockPipeline::Outcome outcome = pipeline.Process(bytes, snapshot_, requests);
    if (outcome.stopGenerator) StopGeneratorIfSwitchedOff();
    if (modeDataWanted.exchange(false, std::memory_order_acq_rel)) {
        {
            std::lock_guard lock(modeDataMutex);
            CaptureModeData(pipeline.Samples(), snapshot_, sampleRate, modeData);
        }
        modeDataReady.Set();
    }
    if (blockObserver) {
        blockObserver({half, bytes, pipeline.Samples(), pipeline.State(), outcome.dropped,
                       std::chrono::steady_clock::now() - start});
    }
    blocksProcessed.fetch_add(1, std::memory_order_acq_rel);
}

// The block decided on its snapshot; the flag may have been switched on since. Looking again
// under the generator lock sees the user interface's latest switch.
void EngineWorker::StopGeneratorIfSwitchedOff() {
    std::lock_guard lock(generatorMutex);
    bool on = false;
    control.Inspect([&](const RuntimeState& s) { on = s.generatorOn; });
    if (on) return;
    if (const auto playing = generator.load()) playing->Stop();
}

void EngineWorker::ReportDataLoss(uint64_t droppedBlocks) {
    if (const auto due = lossReport.Due(droppedBlocks, DataLossReport::Clock::now())) {
        std::fprintf(stderr, "engine: %llu blocks of input lost since the start\n",
                     static_cast<unsigned long long>(*due));
    }
}

}  // namespace velmora2
