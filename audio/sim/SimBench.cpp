#include "audio/sim/SimBench.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>

#include "audio/BlockQueue.h"
#include "audio/sim/BenchNoise.h"
#include "audio/sim/LoopResampler.h"

namespace velmora2 {

namespace {

int16_t ToSample(double counts) {
    const double rounded = std::nearbyint(counts);
    if (!(rounded > -32768.0)) return -32768;  // also catches NaN
    if (rounded > 32767.0) return 32767;
    return static_cast<int16_t>(rounded);
}

}  // namespace

class SimOutputBuffer;

// What the bench's devices share: the running capture, the playing output buffers and the model.
struct SimWire {
    explicit SimWire(SimBenchOptions opts)
        : options(std::move(opts)), noise(options.dut.noiseRms) {}

    std::mutex mutex;
    std::condition_variable clockWake;
    SimBenchOptions options;
    bool shuttingDown = false;

    BlockQueue* queue = nullptr;
    bool captureRunning = false;
    int captureRate = 0;
    int64_t frame = 0;
    bool delivering = true;
    bool lost = false;
    SimBench::InputSignal signal;
    std::vector<SimOutputBuffer*> playing;

    double lowPassState = 0.0;
    BenchNoise noise;
    uint8_t block[kBlockBytes] = {};

    bool Fails(SimFault step) const { return options.fault == step; }
    double OutputSample();  // the next sample of what the output plays, ADC counts
    // The device under test's one-pole low-pass coefficient at the capture rate.
    double LowPassCoefficient() const;
    double DeviceUnderTestSample(double input, double lowPassCoefficient);
    void ProduceBlock();
};

class SimOutputBuffer final : public OutputBuffer {
public:
    SimOutputBuffer(std::shared_ptr<SimWire> wire, const WaveFormat& format, uint32_t bytes)
        : wire_(std::move(wire)), format_(format), bytes_(bytes), data_(bytes / 2, 0) {}
    ~SimOutputBuffer() override { Stop(); }

    uint32_t SizeBytes() const override { return bytes_; }
    Status Fill(uint32_t offset, const uint8_t* data, uint32_t bytes) override {
        if (wire_->Fails(SimFault::FillOutputBuffer)) return wire_->options.faultCode;
        if (offset > bytes_ || bytes > bytes_ - offset) return kInvalidArgument;
        std::lock_guard lock(wire_->mutex);
        std::memcpy(reinterpret_cast<uint8_t*>(data_.data()) + offset, data, bytes);
        return kOk;
    }
    Status SetVolume(int32_t hundredthsDb) override {
        std::lock_guard lock(wire_->mutex);
        gain_ = VolumeToGain(hundredthsDb);
        return kOk;
    }
    Status PlayLooping() override {
        if (wire_->Fails(SimFault::PlayOutputBuffer)) return wire_->options.faultCode;
        std::lock_guard lock(wire_->mutex);
        auto& playing = wire_->playing;
        if (std::find(playing.begin(), playing.end(), this) == playing.end())
            playing.push_back(this);
        return kOk;
    }
    Status Stop() override {
        std::lock_guard lock(wire_->mutex);
        std::erase(wire_->playing, this);
        return kOk;
    }
    bool IsPlaying() const override {
        std::lock_guard lock(wire_->mutex);
        const auto& playing = wire_->playing;
        return std::find(playing.begin(), playing.end(), this) != playing.end();
    }
    uint64_t FramesAdvanced() const override {
        std::lock_guard lock(wire_->mutex);
        return advanced_;
    }
    // Only a buffer at the capture rate advances by whole frames.
    bool ContinueWith(std::vector<int16_t> loop, uint64_t at) override {
        std::lock_guard lock(wire_->mutex);
        if (pending_ || at < advanced_ ||
            static_cast<int>(format_.sampleRate) != wire_->captureRate)
            return false;
        pending_ = std::move(loop);
        switchAt_ = at;
        return true;
    }

    // Called with the wire locked: the left channel at the current position, then advance by the
    // ratio of the buffer's rate to the capture rate.
    double NextSample(int captureRate) {
        if (pending_ && advanced_ >= switchAt_) {
            data_ = std::move(*pending_);
            pending_.reset();
            position_ = 0.0;
        }
        ++advanced_;
        const size_t channels = std::max<uint16_t>(format_.channels, 1);
        const size_t frames = data_.size() / channels;
        if (frames == 0) return 0.0;
        if (!resampler_ || resampledTo_ != captureRate) {
            resampler_.emplace(static_cast<int>(format_.sampleRate), captureRate);
            resampledTo_ = captureRate;
        }
        const double value = resampler_->At(data_, channels, 0, position_) * gain_;
        position_ += resampler_->Step();
        if (position_ >= static_cast<double>(frames)) position_ -= static_cast<double>(frames);
        return value;
    }

private:
    std::shared_ptr<SimWire> wire_;
    WaveFormat format_;
    uint32_t bytes_;
    std::vector<int16_t> data_;
    double gain_ = 1.0;
    double position_ = 0.0;
    uint64_t advanced_ = 0;  // NextSample calls
    std::optional<std::vector<int16_t>> pending_;
    uint64_t switchAt_ = 0;
    // The buffer plays at its own rate; the bench captures at its own.
    std::optional<LoopResampler> resampler_;
    int resampledTo_ = 0;
};

double SimWire::OutputSample() {
    double sum = 0.0;
    for (SimOutputBuffer* buffer : playing) sum += buffer->NextSample(captureRate);
    return sum;
}

double SimWire::LowPassCoefficient() const {
    return 1.0 - std::exp(-2.0 * M_PI * options.dut.cornerHz / captureRate);
}

double SimWire::DeviceUnderTestSample(double input, double lowPassCoefficient) {
    const DeviceUnderTest& dut = options.dut;
    const double u = input / 32768.0;
    lowPassState += lowPassCoefficient * (u - lowPassState);
    const double y = lowPassState;
    const double distorted = y + dut.secondHarmonic * y * y + dut.thirdHarmonic * y * y * y;
    const double noisy = distorted + (dut.noiseRms > 0.0 ? noise.Next() : 0.0);
    return noisy * 32768.0;
}

void SimWire::ProduceBlock() {
    const double lowPass = LowPassCoefficient();
    for (int f = 0; f < kBlockFrames; ++f, ++frame) {
        double left = 0.0;
        double right = 0.0;
        if (signal) {
            signal(frame, left, right);
        } else {
            left = OutputSample();
            right = DeviceUnderTestSample(left, lowPass);
        }
        const int16_t samples[2] = {ToSample(left), ToSample(right)};
        std::memcpy(&block[f * 4], samples, 4);
    }
    queue->Push(block);
}

namespace {

class SimCaptureBuffer final : public CaptureBuffer {
public:
    SimCaptureBuffer(std::shared_ptr<SimWire> wire, int rate)
        : wire_(std::move(wire)), rate_(rate) {}
    ~SimCaptureBuffer() override {
        {
            std::lock_guard lock(wire_->mutex);
            if (started_ && wire_->queue == queue_) {
                wire_->captureRunning = false;
                wire_->queue = nullptr;
            }
        }
        if (wire_->options.onCaptureClose) wire_->options.onCaptureClose();
    }
    bool PacedByClock() const override { return wire_->options.realTimeClock; }
    Status AttachQueue(BlockQueue* queue) override {
        if (wire_->Fails(SimFault::AttachQueue)) return wire_->options.faultCode;
        if (queue == nullptr) return kInvalidArgument;
        queue_ = queue;
        return kOk;
    }
    Status SetNotificationPositions(uint32_t firstHalfEnd, uint32_t secondHalfEnd) override {
        if (wire_->Fails(SimFault::SetNotification)) return wire_->options.faultCode;
        if (firstHalfEnd != kBlockBytes - 1 || secondHalfEnd != kCaptureBufferBytes - 1)
            return kInvalidArgument;
        return kOk;
    }
    Status Start() override {
        if (wire_->Fails(SimFault::StartCapture)) return wire_->options.faultCode;
        if (queue_ == nullptr) return kInvalidArgument;
        {
            std::lock_guard lock(wire_->mutex);
            wire_->queue = queue_;
            wire_->captureRunning = true;
            wire_->captureRate = rate_;
            wire_->frame = 0;
            wire_->lowPassState = 0.0;
            started_ = true;
        }
        wire_->clockWake.notify_all();
        return kOk;
    }

private:
    std::shared_ptr<SimWire> wire_;
    int rate_;
    BlockQueue* queue_ = nullptr;
    bool started_ = false;
};

class SimCaptureDevice final : public CaptureDevice {
public:
    explicit SimCaptureDevice(std::shared_ptr<SimWire> wire) : wire_(std::move(wire)) {}
    Status CreateCaptureBuffer(const WaveFormat& format, uint32_t bytes,
                               std::unique_ptr<CaptureBuffer>& out) override {
        if (wire_->Fails(SimFault::CreateCaptureBuffer)) return wire_->options.faultCode;
        const auto& rates = wire_->options.captureRates;
        const bool rateAccepted = std::find(rates.begin(), rates.end(),
                                            static_cast<int>(format.sampleRate)) != rates.end();
        if (!rateAccepted || format.channels != 2 || format.bitsPerSample != 16 ||
            bytes != kCaptureBufferBytes)
            return kFormatRefused;
        out = std::make_unique<SimCaptureBuffer>(wire_, static_cast<int>(format.sampleRate));
        return kOk;
    }

private:
    std::shared_ptr<SimWire> wire_;
};

class SimOutputDevice final : public OutputDevice {
public:
    explicit SimOutputDevice(std::shared_ptr<SimWire> wire) : wire_(std::move(wire)) {}
    Status QueryMaxSampleRate(int& rate) override {
        if (wire_->Fails(SimFault::QueryMaxRate)) return wire_->options.faultCode;
        rate = wire_->options.maxOutputRate;
        return kOk;
    }
    Status CreateOutputBuffer(const WaveFormat& format, uint32_t bytes,
                              std::unique_ptr<OutputBuffer>& out) override {
        if (wire_->Fails(SimFault::CreateOutputBuffer)) return wire_->options.faultCode;
        // Like a software mixer, the output takes any rate up to 200 kHz; the highest rate it
        // reports is what the hardware runs at, and callers compare against that.
        constexpr uint32_t kMixerMaxRate = 200000;
        if (format.formatTag != 1 || format.channels == 0 || format.bitsPerSample != 16 ||
            format.sampleRate == 0 || format.sampleRate > kMixerMaxRate || bytes == 0)
            return kFormatRefused;
        out = std::make_unique<SimOutputBuffer>(wire_, format, bytes);
        return kOk;
    }

private:
    std::shared_ptr<SimWire> wire_;
};

}  // namespace

SimBench::SimBench(SimBenchOptions options) : wire_(std::make_shared<SimWire>(std::move(options))) {
    if (wire_->options.realTimeClock) clock_ = std::thread([this] { RunClock(); });
}

SimBench::~SimBench() {
    {
        std::lock_guard lock(wire_->mutex);
        wire_->shuttingDown = true;
    }
    wire_->clockWake.notify_all();
    if (clock_.joinable()) clock_.join();
}

void SimBench::SetInputSignal(InputSignal signal) {
    std::lock_guard lock(wire_->mutex);
    wire_->signal = std::move(signal);
}

void SimBench::SetDelivering(bool delivering) {
    std::lock_guard lock(wire_->mutex);
    wire_->delivering = delivering;
}

void SimBench::LoseDevice() {
    std::lock_guard lock(wire_->mutex);
    wire_->lost = true;
    wire_->captureRunning = false;
    if (wire_->queue != nullptr) wire_->queue->MarkEnded();
}

void SimBench::RestoreDevice() {
    std::lock_guard lock(wire_->mutex);
    wire_->lost = false;
}

int SimBench::Step(int blocks) {
    std::lock_guard lock(wire_->mutex);
    int produced = 0;
    for (; produced < blocks; ++produced) {
        if (!wire_->captureRunning || !wire_->delivering || wire_->queue == nullptr) break;
        wire_->ProduceBlock();
    }
    return produced;
}

int64_t SimBench::FramesDelivered() const {
    std::lock_guard lock(wire_->mutex);
    return wire_->frame;
}

void SimBench::RunClock() {
    using Clock = std::chrono::steady_clock;
    std::unique_lock lock(wire_->mutex);
    while (!wire_->shuttingDown) {
        wire_->clockWake.wait(lock, [&] { return wire_->shuttingDown || wire_->captureRunning; });
        if (wire_->shuttingDown) break;
        const auto period = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(static_cast<double>(kBlockFrames) / wire_->captureRate));
        auto deadline = Clock::now() + period;
        while (!wire_->shuttingDown && wire_->captureRunning) {
            if (wire_->clockWake.wait_until(lock, deadline, [&] { return wire_->shuttingDown; }))
                break;
            if (wire_->captureRunning && wire_->delivering && wire_->queue != nullptr)
                wire_->ProduceBlock();
            deadline += period;
        }
    }
}

std::vector<DeviceInfo> SimBench::CaptureDevices() {
    if (!wire_->options.hasDevices) return {};
    return {DeviceInfo{DeviceId{0}, kDeviceName}};
}

std::vector<DeviceInfo> SimBench::OutputDevices() {
    return CaptureDevices();
}

bool SimBench::CanUseCaptureDevice(DeviceId id) {
    std::lock_guard lock(wire_->mutex);
    return wire_->options.hasDevices && !wire_->lost && id.value <= 0;
}

bool SimBench::CanUseOutputDevice(DeviceId id) {
    return CanUseCaptureDevice(id);
}

Status SimBench::OpenCaptureDevice(DeviceId id, std::unique_ptr<CaptureDevice>& out) {
    if (!CanUseCaptureDevice(id)) return kNoDevice;
    if (wire_->Fails(SimFault::OpenCapture)) return wire_->options.faultCode;
    out = std::make_unique<SimCaptureDevice>(wire_);
    return kOk;
}

Status SimBench::OpenOutputDevice(DeviceId id, std::unique_ptr<OutputDevice>& out) {
    if (!CanUseOutputDevice(id)) return kNoDevice;
    if (wire_->Fails(SimFault::OpenOutput)) return wire_->options.faultCode;
    out = std::make_unique<SimOutputDevice>(wire_);
    return kOk;
}

}  // namespace velmora2
