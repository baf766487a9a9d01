// The generator and the recorder as the user-interface thread drives them: loading a generator
// file into a new output buffer that replaces the old one whole, the switch and the volume, and
// starting and stopping a recording.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <new>

#include "engine/CDSCapture.h"
#include "engine/GeneratorLoad.h"
#include "synthesis/SignalSource.h"
#include "wav/WavReader.h"

namespace velmora2 {

namespace {

// The data goes into the new buffer in pieces, so a long file is never held twice in memory.
constexpr uint32_t kFillPieceBytes = 64 * 1024;

}  // namespace

Status CDSCapture::PlayGenerator(OutputBuffer& buffer, int32_t volume) {
    const Status volumeSet = buffer.SetVolume(volume);
    const Status playing = buffer.PlayLooping();
    return Failed(playing) ? playing : volumeSet;
}

int CDSCapture::SetGeneratorFile(const std::string& fileName) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.generatorFile = fileName; });
    return LoadGeneratorWave();
}

int CDSCapture::LoadGeneratorWave() {
    std::string fileName;
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { fileName = s.generatorFile; });
    return PlayIfOn(ReplaceGenerator(fileName));
}

int CDSCapture::SetGeneratorSignal(const GeneratorSignal& signal) {
    const int rate = worker_->sampleRate;
    if (signal.kind == SignalKind::WavFile || SignalProblem(signal, rate) != nullptr)
        return kGeneratorSignalRefused;
    if (GlideTo(signal)) return 0;
    std::vector<int16_t> samples;
    try {
        samples = RenderLoop(signal, rate);
    } catch (const std::bad_alloc&) {
        return -9;
    }
    const int installed = InstallSamples(samples);
    if (installed == 0 && signal.kind == SignalKind::Sine) playingSine_ = PlayingSine{signal, 0};
    return PlayIfOn(installed);
}

int CDSCapture::SetGeneratorSamples(const std::vector<int16_t>& interleaved) {
    return PlayIfOn(InstallSamples(interleaved));
}

int CDSCapture::InstallSamples(const std::vector<int16_t>& interleaved) {
    if (interleaved.size() > UINT32_MAX / sizeof(int16_t)) return -9;
    const auto bytes = static_cast<uint32_t>(interleaved.size() * sizeof(int16_t));
    const auto* data = reinterpret_cast<const uint8_t*>(interleaved.data());
    return InstallGenerator(WaveFormat::StereoPcm16(static_cast<uint32_t>(worker_->sampleRate)),
                            bytes, [data](uint32_t offset, uint8_t* piece, uint32_t count) {
                                std::copy_n(data + offset, count, piece);
                                return true;
                            });
}

std::shared_ptr<const InputCapture> CDSCapture::StartInputCapture(int64_t frames) {
    std::shared_ptr<InputCapture> capture;
    try {
        capture = std::make_shared<InputCapture>(frames);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    worker_->inputCapture.Store(capture);
    return capture;
}

bool CDSCapture::GlideTo(const GeneratorSignal& next) {
    if (!playingSine_ || !GlidesFrom(playingSine_->asMade, next)) return false;
    const auto generator = worker_->generator.load();
    if (!generator || !generator->IsPlaying()) return false;
    const int rate = worker_->sampleRate;
    // Room for the new loop to be made before the frame it takes over at: a fifth of a second,
    // and the time a machine a third as fast as the slowest we test on takes to make it.
    constexpr double kSlowestFramesMadePerSecond = 4.0e6;
    const double making = static_cast<double>(LoopFrames(next, rate)) / kSlowestFramesMadePerSecond;
    const uint64_t at = generator->FramesAdvanced() + static_cast<uint64_t>(rate / 5) +
                        static_cast<uint64_t>(making * rate);
    if (at < playingSine_->origin) return false;  // the last change has not taken over yet
    GeneratorSignal made = next;
    made.phaseDegrees =
        360.0 * SinePhaseAfter(playingSine_->asMade, rate, at - playingSine_->origin);
    std::vector<int16_t> loop;
    try {
        loop = RenderLoop(made, rate);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!generator->ContinueWith(std::move(loop), at)) return false;
    playingSine_ = PlayingSine{made, at};
    return true;
}

// Whatever became of the new sound, the generator plays on: the new sound, or else the old one.
int CDSCapture::PlayIfOn(int result) {
    std::lock_guard lock(worker_->generatorMutex);
    bool generatorOn = false;
    int32_t volume = 0;
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) {
        generatorOn = s.generatorOn;
        volume = s.generatorVolume;
    });
    if (generatorOn) {
        const auto generator = worker_->generator.load();
        if (generator && Failed(PlayGenerator(*generator, volume)) && result == 0) result = -15;
    }
    return result;
}

int CDSCapture::ReplaceGenerator(const std::string& fileName) {
    const std::optional<std::filesystem::path> path = FindGeneratorFile(fileName, worker_->files);
    if (!path) return -1;
    const std::unique_ptr<ByteSource> source = OpenFileSource(*path);
    if (!source) return -1;
    const WavInfo info = ReadWavLayout(*source);
    if (!FormatChecked(info.fault)) return GeneratorLoadCode(info.fault);
    const uint32_t rate = info.layout.format.sampleRate;
    if (worker_->deviceMaxRateKnown && rate > static_cast<uint32_t>(worker_->deviceMaxRate))
        return static_cast<int>(std::min<uint32_t>(rate, INT_MAX));
    if (info.fault != WavFault::None) return GeneratorLoadCode(info.fault);

    return InstallGenerator(info.layout.format, info.layout.dataBytes,
                            [&](uint32_t offset, uint8_t* piece, uint32_t count) {
                                return source->ReadAt(info.layout.dataOffset + offset, piece,
                                                      count);
                            });
}

int CDSCapture::InstallGenerator(const WaveFormat& format, uint32_t bytes,
                                 const GeneratorFiller& read) {
    OutputDevice* const output = worker_->Output();
    if (output == nullptr) return -9;
    std::unique_ptr<OutputBuffer> buffer;
    try {
        if (Failed(output->CreateOutputBuffer(format, bytes, buffer)) || !buffer) return -9;
    } catch (const std::bad_alloc&) {
        return -9;
    }
    uint8_t piece[kFillPieceBytes];
    for (uint32_t done = 0; done < bytes;) {
        const uint32_t count = std::min(kFillPieceBytes, bytes - done);
        if (!read(done, piece, count)) return -11;
        if (Failed(buffer->Fill(done, piece, count))) return -10;
        done += count;
    }

    playingSine_.reset();
    std::lock_guard lock(worker_->generatorMutex);
    const std::shared_ptr<OutputBuffer> previous =
        worker_->generator.exchange(std::shared_ptr<OutputBuffer>(std::move(buffer)));
    if (previous) previous->Stop();
    return 0;
}

void CDSCapture::SetGeneratorVolume(int32_t hundredthsDb) {
    std::lock_guard lock(worker_->generatorMutex);
    bool generatorOn = false;
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) {
        s.generatorVolume = hundredthsDb;
        generatorOn = s.generatorOn;
    });
    if (!generatorOn) return;
    if (const auto generator = worker_->generator.load()) {
        generator->Stop();
        PlayGenerator(*generator, hundredthsDb);
    }
}

// The generator lock keeps the worker's stop for the network plot from coming between the new
// flag and the buffer's start.
void CDSCapture::SetOutputs(bool leftShown, bool rightShown, bool generatorOn) {
    std::lock_guard lock(worker_->generatorMutex);
    int32_t volume = 0;
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) {
        s.leftShown = leftShown;
        s.rightShown = rightShown;
        s.generatorOn = generatorOn;
        volume = s.generatorVolume;
    });
    const auto generator = worker_->generator.load();
    if (!generator) return;
    if (generatorOn)
        PlayGenerator(*generator, volume);
    else
        generator->Stop();
}

bool CDSCapture::GeneratorPlaying() const {
    const auto generator = worker_->generator.load();
    return generator && generator->IsPlaying();
}

int CDSCapture::StartRecording() {
    const uint64_t droppedBefore = worker_->queue.DroppedCount();
    const int result = worker_->recorder.Start();
    if (result > 0)
        worker_->droppedAtRecordingStart.store(droppedBefore, std::memory_order_release);
    return result;
}

void CDSCapture::StopRecording() {
    worker_->FinishRecording("stopped");
}

}  // namespace velmora2
