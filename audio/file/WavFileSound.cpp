#include "audio/file/WavFileSound.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#include "audio/BlockQueue.h"

namespace velmora2 {

// What the backend's devices share: the file and how far its delivery has come.
struct WavFileWire {
    WavFileWire(std::unique_ptr<WavInput> in, WavFileOptions opts)
        : input(std::move(in)), options(opts) {}

    std::unique_ptr<WavInput> input;
    WavFileOptions options;
    std::atomic<uint64_t> delivered{0};
    std::atomic<bool> finished{false};
    std::atomic<bool> capturing{false};  // one capture buffer runs at a time
};

namespace {

constexpr auto kFullQueuePause = std::chrono::milliseconds(1);

class WavCaptureBuffer final : public CaptureBuffer {
public:
    explicit WavCaptureBuffer(std::shared_ptr<WavFileWire> wire) : wire_(std::move(wire)) {}
    ~WavCaptureBuffer() override {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable()) thread_.join();
        if (started_) wire_->capturing.store(false);
    }

    bool PacedByClock() const override { return wire_->options.pacing == WavPacing::RealTime; }

    Status AttachQueue(BlockQueue* queue) override {
        if (queue == nullptr) return kInvalidArgument;
        queue_ = queue;
        return kOk;
    }
    Status SetNotificationPositions(uint32_t firstHalfEnd, uint32_t secondHalfEnd) override {
        if (firstHalfEnd != kBlockBytes - 1 || secondHalfEnd != kCaptureBufferBytes - 1)
            return kInvalidArgument;
        return kOk;
    }
    Status Start() override {
        if (queue_ == nullptr || started_) return kInvalidArgument;
        if (wire_->capturing.exchange(true)) return kGenericFailure;
        started_ = true;
        wire_->input->Rewind();
        wire_->delivered.store(0);
        wire_->finished.store(false);
        if (wire_->options.pacing == WavPacing::RealTime) {
            thread_ = std::thread([this] { RunRealTime(); });
        } else {
            thread_ = std::thread([this] { RunAsProcessed(); });
        }
        return kOk;
    }

private:
    // The next block of the file, padded with silence; false when the pass is over.
    bool ReadBlock() {
        const size_t got = wire_->input->ReadFrames(block_, kBlockFrames);
        if (got == 0) return false;
        std::memset(block_ + got * WavInput::kFrameBytes, 0,
                    (kBlockFrames - got) * WavInput::kFrameBytes);
        return true;
    }

    void Deliver() {
        queue_->Push(block_);
        wire_->delivered.fetch_add(1, std::memory_order_acq_rel);
    }

    // True when asked to stop within the pause.
    bool PauseUntil(std::chrono::steady_clock::time_point deadline) {
        std::unique_lock lock(mutex_);
        return wake_.wait_until(lock, deadline, [&] { return stopping_; });
    }

    void RunRealTime() {
        using Clock = std::chrono::steady_clock;
        const auto period =
            std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                static_cast<double>(kBlockFrames) / wire_->input->SampleRate()));
        auto deadline = Clock::now() + period;
        while (!PauseUntil(deadline)) {
            if (!ReadBlock()) {
                wire_->input->Rewind();
                if (!ReadBlock()) break;  // the file can no longer be read
            }
            Deliver();
            deadline += period;
        }
    }

    void RunAsProcessed() {
        const uint64_t limit = wire_->options.blockLimit;
        while (limit == 0 || wire_->delivered.load() < limit) {
            // Waiting for room instead of pushing into a full queue is what keeps every block.
            while (!queue_->HasRoom()) {
                if (PauseUntil(std::chrono::steady_clock::now() + kFullQueuePause)) return;
            }
            {
                std::lock_guard lock(mutex_);
                if (stopping_) return;
            }
            if (!ReadBlock()) break;
            Deliver();
        }
        wire_->finished.store(true, std::memory_order_release);
    }

    std::shared_ptr<WavFileWire> wire_;
    BlockQueue* queue_ = nullptr;
    bool started_ = false;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
    uint8_t block_[kBlockBytes] = {};
};

class WavCaptureDevice final : public CaptureDevice {
public:
    explicit WavCaptureDevice(std::shared_ptr<WavFileWire> wire) : wire_(std::move(wire)) {}
    Status CreateCaptureBuffer(const WaveFormat& format, uint32_t bytes,
                               std::unique_ptr<CaptureBuffer>& out) override {
        if (format.channels != 2 || format.bitsPerSample != 16 || bytes != kCaptureBufferBytes)
            return kFormatRefused;
        if (static_cast<int>(format.sampleRate) != wire_->input->SampleRate()) {
            std::fprintf(stderr, "%s: sampled at %d Hz, but the instrument runs at %u Hz\n",
                         wire_->input->Name().c_str(), wire_->input->SampleRate(),
                         format.sampleRate);
            return kFormatRefused;
        }
        out = std::make_unique<WavCaptureBuffer>(wire_);
        return kOk;
    }

private:
    std::shared_ptr<WavFileWire> wire_;
};

// Generator buffers are accepted and kept, but a file has nothing to play them into.
class SilentOutputBuffer final : public OutputBuffer {
public:
    explicit SilentOutputBuffer(uint32_t bytes) : bytes_(bytes) {}
    uint32_t SizeBytes() const override { return bytes_; }
    Status Fill(uint32_t offset, const uint8_t* data, uint32_t bytes) override {
        if (offset > bytes_ || bytes > bytes_ - offset || (data == nullptr && bytes > 0))
            return kInvalidArgument;
        return kOk;
    }
    Status SetVolume(int32_t) override { return kOk; }
    Status PlayLooping() override {
        playing_ = true;
        return kOk;
    }
    Status Stop() override {
        playing_ = false;
        return kOk;
    }
    bool IsPlaying() const override { return playing_; }

private:
    uint32_t bytes_;
    std::atomic<bool> playing_{false};
};

class SilentOutputDevice final : public OutputDevice {
public:
    Status QueryMaxSampleRate(int& rate) override {
        rate = 192000;
        return kOk;
    }
    Status CreateOutputBuffer(const WaveFormat& format, uint32_t bytes,
                              std::unique_ptr<OutputBuffer>& out) override {
        if (format.formatTag != 1 || format.channels == 0 || format.bitsPerSample != 16 ||
            format.sampleRate == 0 || bytes == 0)
            return kFormatRefused;
        out = std::make_unique<SilentOutputBuffer>(bytes);
        return kOk;
    }
};

}  // namespace

WavFileSound::WavFileSound(std::unique_ptr<WavInput> input, WavFileOptions options)
    : wire_(std::make_shared<WavFileWire>(std::move(input), options)) {}

WavFileSound::~WavFileSound() = default;

uint64_t WavFileSound::BlocksDelivered() const {
    return wire_->delivered.load(std::memory_order_acquire);
}

bool WavFileSound::Finished() const {
    return wire_->finished.load(std::memory_order_acquire);
}

std::vector<DeviceInfo> WavFileSound::CaptureDevices() {
    const std::string name = wire_->input ? "WAV file " + wire_->input->Name() : "WAV file";
    return {DeviceInfo{DeviceId{0}, name}};
}

std::vector<DeviceInfo> WavFileSound::OutputDevices() {
    return {DeviceInfo{DeviceId{0}, "No output (capturing from a file)"}};
}

bool WavFileSound::CanUseCaptureDevice(DeviceId id) {
    return id.value <= 0;
}

bool WavFileSound::CanUseOutputDevice(DeviceId id) {
    return id.value <= 0;
}

Status WavFileSound::OpenCaptureDevice(DeviceId id, std::unique_ptr<CaptureDevice>& out) {
    if (!CanUseCaptureDevice(id)) return kNoDevice;
    if (!wire_->input) return kFormatRefused;
    out = std::make_unique<WavCaptureDevice>(wire_);
    return kOk;
}

Status WavFileSound::OpenOutputDevice(DeviceId id, std::unique_ptr<OutputDevice>& out) {
    if (!CanUseOutputDevice(id)) return kNoDevice;
    out = std::make_unique<SilentOutputDevice>();
    return kOk;
}

}  // namespace velmora2
