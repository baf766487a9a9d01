// VELMORA2_AUDIO chooses the sound backend; an unknown value is reported and runs on PortAudio.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/SoundBackendChoice.h"
#include "audio/BlockQueue.h"
#include "audio/file/WavFileSound.h"
#include "audio/portaudio/PortAudioSystem.h"
#include "audio/sim/SimBench.h"
#include "tests/engine/WavCrafting.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

struct ChoiceCase {
    const char* description;
    const char* value;  // nullptr: variable not set
    bool simulated;
    bool warns;
};

class SoundBackendChoice : public ::testing::TestWithParam<ChoiceCase> {
protected:
    void TearDown() override { unsetenv(kSoundBackendVariable); }
};

TEST_P(SoundBackendChoice, PicksTheBackendNamed) {
    const ChoiceCase& c = GetParam();
    SCOPED_TRACE(c.description);
    if (c.value != nullptr) {
        setenv(kSoundBackendVariable, c.value, 1);
    } else {
        unsetenv(kSoundBackendVariable);
    }
    ::testing::internal::CaptureStderr();
    const std::unique_ptr<SoundSystem> sound = CreateSoundSystemFromEnvironment();
    const std::string errors = ::testing::internal::GetCapturedStderr();

    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(dynamic_cast<SimBench*>(sound.get()) != nullptr, c.simulated);
    EXPECT_EQ(dynamic_cast<PortAudioSystem*>(sound.get()) != nullptr, !c.simulated);
    const std::string warning = std::string(kSoundBackendVariable) + "=" +
                                (c.value != nullptr ? c.value : "") + " is not a sound backend";
    EXPECT_EQ(errors.find(warning) != std::string::npos, c.warns) << errors;
}

INSTANTIATE_TEST_SUITE_P(Values, SoundBackendChoice,
                         ::testing::Values(ChoiceCase{"not set", nullptr, false, false},
                                           ChoiceCase{"portaudio", "portaudio", false, false},
                                           ChoiceCase{"sim", "sim", true, false},
                                           ChoiceCase{"empty", "", false, false},
                                           ChoiceCase{"unknown", "alsa", false, true},
                                           ChoiceCase{"wrong case", "SIM", false, true}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(SoundBackendChoiceSim, SimulatedBenchDeliversBlocksOnItsOwnClock) {
    setenv(kSoundBackendVariable, "sim", 1);
    const std::unique_ptr<SoundSystem> sound = CreateSoundSystemFromEnvironment();
    unsetenv(kSoundBackendVariable);
    ASSERT_NE(sound, nullptr);

    std::unique_ptr<CaptureDevice> device;
    ASSERT_EQ(sound->OpenCaptureDevice(DeviceId{}, device), kOk);
    std::unique_ptr<CaptureBuffer> capture;
    ASSERT_EQ(
        device->CreateCaptureBuffer(WaveFormat::StereoPcm16(192000), kCaptureBufferBytes, capture),
        kOk);
    WakeSignal wake;
    BlockQueue queue(wake);
    ASSERT_EQ(capture->AttachQueue(&queue), kOk);
    ASSERT_EQ(capture->Start(), kOk);
    // Nothing steps this bench: only its own clock can deliver.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (queue.PushedCount() == 0 && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_GE(queue.PushedCount(), 1u);
    capture.reset();
}

struct FileChoiceCase {
    const char* description;
    bool writeFile;
    bool opens;
    const char* message;  // expected on standard error after the path; empty: nothing
};

TEST(SoundBackendChoiceFile, FileBackendOpensAUsableFileAndNamesAnUnusableOne) {
    const FileChoiceCase cases[] = {
        {"a 16-bit stereo file", true, true, ""},
        {"no such file", false, false, ": cannot be opened for reading"},
    };
    testing::TempDirectory dir;
    for (const FileChoiceCase& c : cases) {
        SCOPED_TRACE(c.description);
        const std::string path = (dir / "tone.wav").string();
        std::filesystem::remove(path);
        if (c.writeFile) testing::WriteFileBytes(path, testing::GoodWav(48000, 400));
        setenv(kSoundBackendVariable, ("file:" + path).c_str(), 1);
        ::testing::internal::CaptureStderr();
        const std::unique_ptr<SoundSystem> sound = CreateSoundSystemFromEnvironment();
        const std::string errors = ::testing::internal::GetCapturedStderr();
        unsetenv(kSoundBackendVariable);

        ASSERT_NE(dynamic_cast<WavFileSound*>(sound.get()), nullptr);
        std::unique_ptr<CaptureDevice> device;
        EXPECT_EQ(sound->OpenCaptureDevice(DeviceId{}, device) == kOk, c.opens);
        const std::string expected = std::string(c.message).empty() ? "" : path + c.message + "\n";
        EXPECT_EQ(errors, expected);
    }
}

}  // namespace
}  // namespace velmora2
