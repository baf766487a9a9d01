// The WAV-file sound backend: which files it refuses and how it says so, and how it delivers a
// file's frames as capture blocks (padded at the end, looped in real time, never dropped when
// the engine is slower than the file).
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "audio/BlockQueue.h"
#include "audio/file/WavFileSound.h"
#include "display/DrawCallLog.h"
#include "engine/CDSCapture.h"
#include "tests/engine/WavCrafting.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

using namespace testing;

// Stereo frames numbered as NumberFrames numbers them.
Bytes NumberedFrames(int64_t frames) {
    Bytes b;
    for (int64_t f = 0; f < frames; ++f) {
        double left = 0;
        double right = 0;
        NumberFrames(f, left, right);
        Append16(b, static_cast<uint16_t>(left));
        Append16(b, static_cast<uint16_t>(right));
    }
    return b;
}

Bytes StereoWav(int64_t frames, uint32_t rate = 48000) {
    return Riff({Chunk("fmt ", FormatBody({.rate = rate})), Chunk("data", NumberedFrames(frames))});
}

struct RefusedCase {
    const char* description;
    Bytes file;
    const char* message;  // what the line says after the file's name
};

TEST(WavFileBackend, RefusesFilesItCannotCaptureNamingFileAndFault) {
    const Bytes frames = NumberedFrames(100);
    const RefusedCase cases[] = {
        {"8-bit samples",
         Riff({Chunk("fmt ", FormatBody({.bits = 8})), Chunk("data", Samples(200))}),
         "has 8-bit samples; only 16-bit PCM can be measured"},
        {"24-bit samples",
         Riff({Chunk("fmt ", FormatBody({.bits = 24})), Chunk("data", Samples(600))}),
         "is not 8- or 16-bit PCM with one or two channels"},
        {"44100 Hz", StereoWav(100, 44100),
         "is sampled at 44100 Hz; the instrument runs at 48000, 96000 or 192000 Hz"},
        {"data cut short", Riff({Chunk("fmt ", FormatBody({})), Chunk("data", frames, 8192)}),
         "is shorter than its \"data\" chunk says"},
        {"huge data size", Riff({Chunk("fmt ", FormatBody({})), Chunk("data", frames, 0xFFFFFFF0)}),
         "is shorter than its \"data\" chunk says"},
        {"no data chunk", Riff({Chunk("fmt ", FormatBody({})), Chunk("LIST", Samples(10))}),
         "has no \"data\" chunk"},
        {"less than one frame", Riff({Chunk("fmt ", FormatBody({})), Chunk("data", Samples(3))}),
         "its \"data\" chunk holds no complete frame"},
        {"not a WAV file", Bytes{'h', 'e', 'l', 'l', 'o'}, "is not a RIFF/WAVE file"},
    };
    TempDirectory dir;
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.description);
        const std::string path = (dir / "input.wav").string();
        WriteFileBytes(path, c.file);
        std::string error;
        EXPECT_EQ(WavInput::Open(path, error), nullptr);
        EXPECT_EQ(error, path + ": " + c.message);
    }
    std::string error;
    EXPECT_EQ(WavInput::Open((dir / "missing.wav").string(), error), nullptr);
    EXPECT_EQ(error, (dir / "missing.wav").string() + ": cannot be opened for reading");
}

// A capture on the backend's own device, delivering into a queue of the given capacity.
struct FileCapture {
    FileCapture(WavFileSound& sound, int rate, size_t capacity = BlockQueue::kDefaultCapacity)
        : queue(wake, capacity) {
        std::unique_ptr<CaptureDevice> device;
        EXPECT_EQ(sound.OpenCaptureDevice(DeviceId{}, device), kOk);
        EXPECT_EQ(
            device->CreateCaptureBuffer(WaveFormat::StereoPcm16(rate), kCaptureBufferBytes, buffer),
            kOk);
        EXPECT_EQ(buffer->AttachQueue(&queue), kOk);
    }
    // Pops blocks until `count` arrived (a safety limit, not a timing check).
    std::vector<Bytes> Take(size_t count) {
        std::vector<Bytes> blocks;
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        Bytes block(kBlockBytes);
        while (blocks.size() < count && std::chrono::steady_clock::now() < limit) {
            if (queue.Pop(block.data())) {
                blocks.push_back(block);
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        return blocks;
    }

    WakeSignal wake;
    BlockQueue queue;
    std::unique_ptr<CaptureBuffer> buffer;
};

// The bytes must outlive the input: a memory source only looks at them.
std::unique_ptr<WavInput> InputFrom(const Bytes& file) {
    std::string error;
    auto input = WavInput::FromSource(std::make_unique<MemorySource>(file), "test.wav", error);
    EXPECT_NE(input, nullptr) << error;
    return input;
}

TEST(WavFileBackend, TwoAndAHalfBlocksArriveAsThreeTheLastPaddedWithSilence) {
    const Bytes file = StereoWav(kBlockFrames * 5 / 2);
    WavFileSound sound(InputFrom(file), {WavPacing::AsProcessed, 0});
    FileCapture capture(sound, 48000);
    ASSERT_EQ(capture.buffer->Start(), kOk);
    const std::vector<Bytes> blocks = capture.Take(3);
    ASSERT_EQ(blocks.size(), 3u);
    for (int b = 0; b < 3; ++b) {
        const int real = b < 2 ? kBlockFrames : kBlockFrames / 2;
        for (int f = 0; f < real; ++f)
            ASSERT_EQ(FrameNumberAt(blocks[b].data(), f), b * kBlockFrames + f) << b << " " << f;
        for (int f = real; f < kBlockFrames; ++f)
            ASSERT_EQ(FrameNumberAt(blocks[b].data(), f), 0) << "padding " << f;
    }
    const auto settle = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!sound.Finished() && std::chrono::steady_clock::now() < settle)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(sound.Finished());
    EXPECT_EQ(sound.BlocksDelivered(), 3u);
    EXPECT_EQ(capture.queue.PushedCount(), 3u);
}

TEST(WavFileBackend, MonoFeedsBothInputs) {
    Bytes samples;
    for (int i = 0; i < 300; ++i) Append16(samples, static_cast<uint16_t>(i * 101 - 15000));
    const Bytes file =
        Riff({Chunk("fmt ", FormatBody({.channels = 1, .rate = 96000})), Chunk("data", samples)});
    WavFileSound sound(InputFrom(file), {WavPacing::AsProcessed, 0});
    FileCapture capture(sound, 96000);
    ASSERT_EQ(capture.buffer->Start(), kOk);
    const std::vector<Bytes> blocks = capture.Take(1);
    ASSERT_EQ(blocks.size(), 1u);
    for (int f = 0; f < 300; ++f) {
        int16_t lr[2];
        std::memcpy(lr, blocks[0].data() + f * 4, 4);
        ASSERT_EQ(lr[0], static_cast<int16_t>(f * 101 - 15000));
        ASSERT_EQ(lr[1], lr[0]);
    }
}

TEST(WavFileBackend, RealTimeLoopsBackToTheFirstFrame) {
    // 1.5 blocks at 192000 Hz: a block every 10.7 ms.
    const Bytes file = StereoWav(kBlockFrames * 3 / 2, 192000);
    WavFileSound sound(InputFrom(file), {WavPacing::RealTime, 0});
    FileCapture capture(sound, 192000);
    ASSERT_EQ(capture.buffer->Start(), kOk);
    const std::vector<Bytes> blocks = capture.Take(3);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(FrameNumberAt(blocks[1].data(), 0), kBlockFrames);
    EXPECT_EQ(FrameNumberAt(blocks[1].data(), kBlockFrames - 1), 0) << "padded";
    EXPECT_EQ(FrameNumberAt(blocks[2].data(), 0), 0) << "looped";
    EXPECT_EQ(FrameNumberAt(blocks[2].data(), 5), 5);
}

TEST(WavFileBackend, CaptureAtAnotherRateThanTheFileIsRefused) {
    const Bytes file = StereoWav(10);
    WavFileSound sound(InputFrom(file), {});
    std::unique_ptr<CaptureDevice> device;
    ASSERT_EQ(sound.OpenCaptureDevice(DeviceId{}, device), kOk);
    std::unique_ptr<CaptureBuffer> buffer;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(
        device->CreateCaptureBuffer(WaveFormat::StereoPcm16(96000), kCaptureBufferBytes, buffer),
        kFormatRefused);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find(
                  "test.wav: sampled at 48000 Hz, but the instrument runs at 96000 Hz"),
              std::string::npos);
}

TEST(WavFileBackend, AnUnusableFileIsListedButRefusesToOpen) {
    WavFileSound sound(nullptr, {});
    EXPECT_EQ(sound.CaptureDevices().size(), 1u);
    std::unique_ptr<CaptureDevice> device;
    EXPECT_EQ(sound.OpenCaptureDevice(DeviceId{}, device), kFormatRefused);
}

// The engine takes longer per block than the file takes to read, and its queue holds only
// 64 blocks: every one of 300 blocks still arrives, in order.
TEST(WavFileBackend, ASlowEngineLosesNoBlock) {
    constexpr int kBlocks = 300;
    const Bytes file = StereoWav(int64_t{kBlocks} * kBlockFrames);
    WavFileSound sound(InputFrom(file), {WavPacing::AsProcessed, 0});
    DrawCallLogTarget window;
    std::vector<int64_t> firstFrames;  // outlives the engine, whose worker writes it
    CDSCapture engine(sound, window, DeviceId{}, DeviceId{}, 48000);
    engine.SetInitialisationTrace(false);
    engine.SetBlockObserver([&](const CDSCapture::ProcessedBlock& block) {
        firstFrames.push_back(FrameNumberAt(block.bytes, 0));
        std::this_thread::sleep_for(std::chrono::microseconds(300));
    });
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_TRUE(WaitForBlocks(engine, kBlocks));
    ASSERT_TRUE(engine.Stop());

    EXPECT_TRUE(sound.Finished());
    EXPECT_EQ(sound.BlocksDelivered(), static_cast<uint64_t>(kBlocks));
    EXPECT_EQ(engine.BlocksDropped(), 0u);
    ASSERT_EQ(firstFrames.size(), static_cast<size_t>(kBlocks));
    for (int b = 0; b < kBlocks; ++b) ASSERT_EQ(firstFrames[b], int64_t{b} * kBlockFrames);
}

}  // namespace
}  // namespace velmora2
