// Device lists and device checks on PortAudio: the default device comes first, the lists and the
// answers do not change while an engine holds the default device, and a device that does not
// exist is refused with a failure code rather than a crash.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "display/DrawCallLog.h"
#include "engine/CDSCapture.h"
#include "tests/audio/PulseLoopback.h"

namespace velmora2 {
namespace {

constexpr DeviceId kNoSuchDevice{9999};

struct ListedDevice {
    int id;
    std::string name;
    bool usable;
    friend bool operator==(const ListedDevice&, const ListedDevice&) = default;
};

// Both lists with the answer of the matching CanUse for each entry.
std::pair<std::vector<ListedDevice>, std::vector<ListedDevice>> Survey(SoundSystem& sound) {
    std::vector<ListedDevice> capture;
    for (const DeviceInfo& d : sound.CaptureDevices())
        capture.push_back({d.id.value, d.name, sound.CanUseCaptureDevice(d.id)});
    std::vector<ListedDevice> output;
    for (const DeviceInfo& d : sound.OutputDevices())
        output.push_back({d.id.value, d.name, sound.CanUseOutputDevice(d.id)});
    return {capture, output};
}

void ExpectDefaultFirstAndAgainByIndex(const std::vector<ListedDevice>& list) {
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0].id, DeviceId{}.value);
    EXPECT_TRUE(list[0].usable);
    bool listedAgain = false;
    for (size_t i = 1; i < list.size(); ++i) {
        SCOPED_TRACE(list[i].name);
        EXPECT_FALSE(list[i].name.empty());
        EXPECT_GE(list[i].id, 0);
        listedAgain = listedAgain || list[i].name == list[0].name;
    }
    EXPECT_TRUE(listedAgain) << "the default device \"" << list[0].name
                             << "\" is missing under its own index";
}

using DeviceList = testing::PulseLoopback;

TEST_F(DeviceList, DefaultDeviceComesFirstAndAgainUnderItsIndex) {
    const auto [capture, output] = Survey(sound);
    {
        SCOPED_TRACE("capture");
        ExpectDefaultFirstAndAgainByIndex(capture);
    }
    {
        SCOPED_TRACE("output");
        ExpectDefaultFirstAndAgainByIndex(output);
    }
}

TEST_F(DeviceList, ListsAndAnswersStayWhileAnEngineHoldsTheDefaultDevice) {
    const auto before = Survey(sound);

    DrawCallLogTarget window;
    CDSCapture engine(sound, window, DeviceId{}, DeviceId{}, 48000);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    const auto during = Survey(sound);
    EXPECT_TRUE(engine.Stop());

    EXPECT_EQ(during.first, before.first);
    EXPECT_EQ(during.second, before.second);
}

TEST_F(DeviceList, OutputReportsTheHighestOfTheInstrumentRates) {
    std::unique_ptr<OutputDevice> output;
    ASSERT_EQ(sound.OpenOutputDevice(DeviceId{}, output), kOk);
    int rate = 0;
    ASSERT_EQ(output->QueryMaxSampleRate(rate), kOk);
    EXPECT_TRUE(rate == 48000 || rate == 96000 || rate == 192000) << rate;
}

TEST_F(DeviceList, CaptureRefusesWhatIsNotOneStereoCaptureBuffer) {
    std::unique_ptr<CaptureDevice> device;
    ASSERT_EQ(sound.OpenCaptureDevice(DeviceId{}, device), kOk);
    std::unique_ptr<CaptureBuffer> buffer;
    WaveFormat mono = WaveFormat::StereoPcm16(48000);
    mono.channels = 1;
    EXPECT_LT(device->CreateCaptureBuffer(mono, kCaptureBufferBytes, buffer), 0);
    EXPECT_LT(device->CreateCaptureBuffer(WaveFormat::StereoPcm16(48000), 4096, buffer), 0);
    EXPECT_EQ(buffer, nullptr);
}

// These hold on any machine, with or without sound devices.
TEST(PortAudioWithoutDevice, UnknownDeviceIsRefusedWithAFailureCode) {
    PortAudioSystem sound;
    std::unique_ptr<CaptureDevice> capture;
    std::unique_ptr<OutputDevice> output;
    EXPECT_LT(sound.OpenCaptureDevice(kNoSuchDevice, capture), 0);
    EXPECT_LT(sound.OpenOutputDevice(kNoSuchDevice, output), 0);
    EXPECT_EQ(capture, nullptr);
    EXPECT_EQ(output, nullptr);
    EXPECT_FALSE(sound.CanUseCaptureDevice(kNoSuchDevice));
    EXPECT_FALSE(sound.CanUseOutputDevice(kNoSuchDevice));
}

TEST(PortAudioWithoutDevice, EngineOnUnknownDeviceFailsToStartAndLeavesNothingRunning) {
    PortAudioSystem sound;
    DrawCallLogTarget window;
    CDSCapture engine(sound, window, kNoSuchDevice, DeviceId{}, 48000);
    int maxRate = 0;
    const Status result = engine.Start(maxRate);
    EXPECT_LT(result, 0);
    EXPECT_TRUE(engine.Stop());  // nothing left to stop
    EXPECT_EQ(engine.BlocksProcessed(), 0u);
}

}  // namespace
}  // namespace velmora2
