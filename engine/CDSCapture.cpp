#include "engine/CDSCapture.h"

#include <chrono>
#include <cstdio>
#include <system_error>

#include "engine/MeterImage.h"

namespace velmora2 {

namespace {

constexpr auto kStopWait = std::chrono::milliseconds(3000);

}  // namespace

void CDSCapture::TraceStep(int step, Status result) const {
    if (traceInitialisation_)
        std::fprintf(stderr, "[%d]: result = %08X\n", step, static_cast<unsigned>(result));
}

CDSCapture::CDSCapture(SoundSystem& sound, DrawingTarget& window, DeviceId captureDevice,
                       DeviceId outputDevice, int sampleRate, FileSearchPlaces files,
                       const std::filesystem::path& recordingsDirectory)
    : sound_(sound),
      window_(window),
      captureDeviceId_(captureDevice),
      outputDeviceId_(outputDevice),
      sampleRate_(sampleRate),
      files_(std::move(files)),
      pipeline_(window, sampleRate),
      recorder_(recordingsDirectory.empty() ? files_.programDirectory : recordingsDirectory,
                sampleRate) {}

CDSCapture::~CDSCapture() {
    if (thread_.joinable()) Stop();
}

Status CDSCapture::Start(int& deviceMaxRate) {
    stopRequested_.store(false);
    droppedAtStart_ = queue_.DroppedCount();
    lossReport_ = {};
    try {
        thread_ = std::thread([this] { WorkerMain(); });
    } catch (const std::system_error&) {
        return kGenericFailure;
    }
    initDone_.Wait();
    if (deviceMaxRateKnown_) deviceMaxRate = deviceMaxRate_;
    const Status result = initResult_;
    if (Failed(result)) Stop();
    return result;
}

bool CDSCapture::Stop() {
    if (!thread_.joinable()) return true;
    stopRequested_.store(true, std::memory_order_release);
    wake_.Notify();
    if (threadEnded_.WaitFor(kStopWait) || threadEnded_.WaitFor(kStopWait)) {
        thread_.join();
        return true;
    }
    std::fprintf(stderr, "engine: the worker did not end within %lld ms; it is left running\n",
                 static_cast<long long>(2 * kStopWait.count()));
    thread_.detach();
    return false;
}

void CDSCapture::WorkerMain() {
    initResult_ = InitialiseDevices();
    const bool initialised = !Failed(initResult_);
    if (initialised) DrawMeterImages();
    initDone_.Set();
    if (initialised) RunWaitLoop();
    ReleaseDevices();
    threadEnded_.Set();
}

Status CDSCapture::InitialiseDevices() {
    Status r = sound_.OpenCaptureDevice(captureDeviceId_, captureDevice_);
    TraceStep(1, r);
    if (Failed(r)) return r;

    r = sound_.OpenOutputDevice(outputDeviceId_, outputDevice_);
    if (Failed(r)) return r;

    int maxRate = 0;
    r = outputDevice_->QueryMaxSampleRate(maxRate);
    TraceStep(2, r);
    if (Failed(r)) return r;
    deviceMaxRate_ = maxRate;
    deviceMaxRateKnown_ = true;

    const WaveFormat format = WaveFormat::StereoPcm16(static_cast<uint32_t>(sampleRate_));
    r = captureDevice_->CreateCaptureBuffer(format, kCaptureBufferBytes, captureBuffer_);
    TraceStep(3, r);
    if (Failed(r)) return r;

    r = captureBuffer_->AttachQueue(&queue_);
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
    generator_.store(std::shared_ptr<OutputBuffer>(std::move(silence)));
    return r;
}

void CDSCapture::RunWaitLoop() {
    int half = 0;
    while (!stopRequested_.load(std::memory_order_acquire)) {
        if (queue_.Pop(&captureBytes_[half * kBlockBytes])) {
            ProcessBlock(half);
            half ^= 1;
            continue;
        }
        wake_.Wait();
    }
}

void CDSCapture::ReleaseDevices() {
    captureBuffer_.reset();
    captureDevice_.reset();
    if (auto generator = generator_.exchange(nullptr)) generator->Stop();
    outputDevice_.reset();
}

void CDSCapture::DrawMeterImages() {
    const std::unique_ptr<Surface> meter =
        window_.CreateSurface(kMeterWidth, kMeterHeight, kMeterDark);
    DrawMeterImage(*meter);
    window_.CopyToWindow(*meter, 20, 12);
    window_.CopyToWindow(*meter, 50, 12);
}

void CDSCapture::ProcessBlock(int half) {
    WorkerRequests requests;
    control_.TakeSnapshot(snapshot_, requests);
    const uint8_t* bytes = &captureBytes_[half * kBlockBytes];
    const uint64_t dropped = BlocksDropped();
    ReportDataLoss(dropped);
    pipeline_.SetInputLoss(dropped);
    // Before the pipeline, so that a block the pipeline drops (a new record length) is recorded
    // all the same: a recording never has a gap.
    recorder_.HandOff(bytes, kBlockBytes, notice_);
    pipeline_.SetRecordingStatus(
        RecordingStatus{notice_.active, std::string_view(notice_.fileName.data())});
    const BlockPipeline::Outcome outcome = pipeline_.Process(bytes, snapshot_, requests);
    if (outcome.stopGenerator) {
        if (const auto generator = generator_.load()) generator->Stop();
    }
    if (modeDataWanted_.exchange(false, std::memory_order_acq_rel)) {
        {
            std::lock_guard lock(modeDataMutex_);
            CaptureModeData(pipeline_.Samples(), snapshot_, sampleRate_, modeData_);
        }
        modeDataReady_.Set();
    }
    if (blockObserver_)
        blockObserver_({half, bytes, pipeline_.Samples(), pipeline_.State(), outcome.dropped});
    blocksProcessed_.fetch_add(1, std::memory_order_acq_rel);
}

void CDSCapture::ReportDataLoss(uint64_t droppedBlocks) {
    if (const auto due = lossReport_.Due(droppedBlocks, DataLossReport::Clock::now())) {
        std::fprintf(stderr, "engine: %llu blocks of input lost since the start\n",
                     static_cast<unsigned long long>(*due));
    }
}

bool CDSCapture::TakeModeData(ModeData& out, std::chrono::milliseconds wait) {
    (void)modeDataReady_.WaitFor(std::chrono::milliseconds(0));  // forget an answer never taken
    modeDataWanted_.store(true, std::memory_order_release);
    if (!modeDataReady_.WaitFor(wait)) {
        modeDataWanted_.store(false, std::memory_order_release);
        return false;
    }
    std::lock_guard lock(modeDataMutex_);
    out = modeData_;
    return true;
}

void StopAndRelease(std::unique_ptr<CDSCapture>& engine) {
    if (!engine) return;
    if (engine->Stop()) {
        engine.reset();
    } else {
        (void)engine.release();  // its worker may still touch it: never free it under the worker
    }
}

}  // namespace velmora2
