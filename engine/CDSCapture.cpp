#include "engine/CDSCapture.h"

#include <chrono>
#include <cstdio>
#include <mutex>
#include <system_error>

namespace velmora2 {

CDSCapture::CDSCapture(SoundSystem& sound, DrawingTarget& window, DeviceId captureDevice,
                       DeviceId outputDevice, int sampleRate, FileSearchPlaces files,
                       const std::filesystem::path& recordingsDirectory)
    : worker_(std::make_shared<EngineWorker>(sound, window, captureDevice, outputDevice, sampleRate,
                                             std::move(files), recordingsDirectory)) {}

CDSCapture::~CDSCapture() {
    if (thread_.joinable()) Stop();
}

Status CDSCapture::Start(int& deviceMaxRate) {
    worker_->stopRequested.store(false);
    worker_->droppedAtStart = worker_->queue.DroppedCount();
    worker_->lossReport = {};
    try {
        thread_ = std::thread([worker = worker_] { worker->Run(); });
    } catch (const std::system_error&) {
        return kGenericFailure;
    }
    worker_->initDone.Wait();
    if (worker_->deviceMaxRateKnown) deviceMaxRate = worker_->deviceMaxRate;
    const Status result = worker_->initResult;
    if (Failed(result)) Stop();
    return result;
}

bool CDSCapture::Stop() {
    if (!thread_.joinable()) return !workerLeftRunning_;
    worker_->stopRequested.store(true, std::memory_order_release);
    worker_->wake.Notify();
    if (worker_->threadEnded.WaitFor(kStopWait)) {
        thread_.join();
        return true;
    }
    std::fprintf(stderr, "engine: the worker did not end within %lld ms; it is left running\n",
                 static_cast<long long>(kStopWait.count()));
    thread_.detach();
    workerLeftRunning_ = true;
    return false;
}

bool CDSCapture::TakeModeData(ModeData& out, std::chrono::milliseconds wait) {
    EngineWorker& w = *worker_;
    (void)w.modeDataReady.WaitFor(std::chrono::milliseconds(0));  // forget an answer never taken
    w.modeDataWanted.store(true, std::memory_order_release);
    if (!w.modeDataReady.WaitFor(wait)) {
        w.modeDataWanted.store(false, std::memory_order_release);
        return false;
    }
    std::lock_guard lock(w.modeDataMutex);
    out = w.modeData;
    return true;
}

bool StopAndRelease(std::unique_ptr<CDSCapture>& engine) {
    if (!engine) return true;
    const bool ended = engine->Stop();
    engine.reset();
    return ended;
}

}  // namespace velmora2
