// The device dialog as its callers use it: run with autoClose it lists the devices, pairs capture
// device i with output device i under the output device's name, and ends as with OK.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/CDlgDevice.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/ScriptedSoundSystem.h"

namespace velmora2 {
namespace {

using testing::DefaultAndNumbered;
using testing::DeviceListing;
using testing::FakeDialogServices;
using testing::FakeDialogView;
using testing::ScriptedSoundSystem;

std::vector<int> IdValues(const std::array<DeviceId, kMaxListedDevices>& ids) {
    std::vector<int> values;
    for (const DeviceId& id : ids) values.push_back(id.value);
    return values;
}

struct PairingCase {
    const char* description;
    DeviceListing captures;
    DeviceListing outputs;
    std::vector<DeviceId> unusableOutputs;
    int expectedCount;
    std::vector<int> expectedCaptureIds;  // all ten; -1 is the default device
    std::vector<int> expectedOutputIds;
    std::vector<std::string> expectedNames;
};

constexpr int D = -1;  // the default device

TEST(CDlgDevice, PairsCaptureAndOutputDevicesByPosition) {
    const PairingCase cases[] = {
        {"one board: the default pair first, the board second",
         DefaultAndNumbered(1, "Board"),
         DefaultAndNumbered(1, "Board"),
         {},
         2,
         {D, 0, D, D, D, D, D, D, D, D},
         {D, 0, D, D, D, D, D, D, D, D},
         {"Default", "Board 0"}},
        {"more outputs than captures: extra positions open the default capture device",
         DefaultAndNumbered(0, "Mic"),
         DefaultAndNumbered(2, "Speaker"),
         {},
         3,
         {D, D, D, D, D, D, D, D, D, D},
         {D, 0, 1, D, D, D, D, D, D, D},
         {"Default", "Speaker 0", "Speaker 1"}},
        {"more captures than outputs: one position per output device",
         DefaultAndNumbered(3, "Mic"),
         DefaultAndNumbered(0, "Speaker"),
         {},
         1,
         {D, D, D, D, D, D, D, D, D, D},
         {D, D, D, D, D, D, D, D, D, D},
         {"Default"}},
        {"an unusable output device is missing and the later ones move up",
         DefaultAndNumbered(2, "Mic"),
         DefaultAndNumbered(2, "Speaker"),
         {DeviceId{0}},
         2,
         {D, 0, D, D, D, D, D, D, D, D},
         {D, 1, D, D, D, D, D, D, D, D},
         {"Default", "Speaker 1"}},
        {"no output device: an empty list",
         DefaultAndNumbered(1, "Mic"),
         {},
         {},
         0,
         {D, D, D, D, D, D, D, D, D, D},
         {D, D, D, D, D, D, D, D, D, D},
         {}},
        {"fourteen of each: ten positions",
         DefaultAndNumbered(13, "Mic"),
         DefaultAndNumbered(13, "Speaker"),
         {},
         10,
         {D, 0, 1, 2, 3, 4, 5, 6, 7, 8},
         {D, 0, 1, 2, 3, 4, 5, 6, 7, 8},
         {"Default", "Speaker 0", "Speaker 1", "Speaker 2", "Speaker 3", "Speaker 4", "Speaker 5",
          "Speaker 6", "Speaker 7", "Speaker 8"}},
    };
    for (const PairingCase& c : cases) {
        SCOPED_TRACE(c.description);
        ScriptedSoundSystem sound;
        sound.ScriptCaptureListings({c.captures});
        sound.ScriptOutputListings({c.outputs});
        for (const DeviceId& id : c.unusableOutputs) sound.SetOutputUsable(id, false);
        FakeDialogServices services;
        CDlgDevice dialog(sound, /*autoClose=*/true);

        EXPECT_EQ(services.RunModal(dialog), CDlgDevice::kOkResult);

        EXPECT_EQ(dialog.Devices().deviceCount, c.expectedCount);
        EXPECT_EQ(IdValues(dialog.Devices().captureDeviceIds), c.expectedCaptureIds);
        EXPECT_EQ(IdValues(dialog.Devices().outputDeviceIds), c.expectedOutputIds);
        EXPECT_EQ(dialog.DeviceNames(), c.expectedNames);
        EXPECT_EQ(services.Messages().size(), c.unusableOutputs.size());
    }
}

TEST(CDlgDevice, AutoCloseEndsBeforeTheDialogIsShown) {
    ScriptedSoundSystem sound;
    sound.ScriptOutputListings({DefaultAndNumbered(1, "Speaker")});
    FakeDialogServices services;
    bool userSawIt = false;
    services.AnswerModal(CDlgDevice::kTemplateId,
                         [&](ModalDialog&, FakeDialogView&) { userSawIt = true; });
    CDlgDevice dialog(sound, /*autoClose=*/true);

    EXPECT_EQ(services.RunModal(dialog), CDlgDevice::kOkResult);
    EXPECT_FALSE(userSawIt);
    ASSERT_EQ(services.ModalRuns().size(), 1u);
    EXPECT_EQ(services.ModalRuns()[0].templateId, 143);
    EXPECT_FALSE(services.EndResult().has_value()) << "the caller itself must not end";
}

TEST(CDlgDevice, WithoutAutoCloseTheListIsTakenOnlyOnOk) {
    ScriptedSoundSystem sound;
    sound.ScriptOutputListings({DefaultAndNumbered(1, "Speaker")});

    FakeDialogServices cancelled;
    CDlgDevice unanswered(sound, /*autoClose=*/false);
    EXPECT_EQ(cancelled.RunModal(unanswered), FakeDialogServices::kCancelResult);
    EXPECT_EQ(unanswered.Devices().outputDeviceIds[1], DeviceId{});

    FakeDialogServices confirmed;
    confirmed.AnswerModal(CDlgDevice::kTemplateId, [&](ModalDialog& shown, FakeDialogView&) {
        static_cast<CDlgDevice&>(shown).OnOK(confirmed);
    });
    CDlgDevice answered(sound, /*autoClose=*/false);
    EXPECT_EQ(confirmed.RunModal(answered), CDlgDevice::kOkResult);
    EXPECT_EQ(answered.Devices().deviceCount, 2);
    EXPECT_EQ(answered.Devices().outputDeviceIds[1], DeviceId{0});
}

TEST(CDlgDevice, TheOutputWarningIsShownOncePerListing) {
    ScriptedSoundSystem sound;
    sound.ScriptOutputListings({DefaultAndNumbered(2, "Speaker")});
    sound.SetOutputUsable(DeviceId{1}, false);
    FakeDialogServices services;

    for (int listing = 1; listing <= 3; ++listing) {
        CDlgDevice dialog(sound, /*autoClose=*/true);
        services.RunModal(dialog);
        EXPECT_EQ(services.Messages().size(), static_cast<size_t>(listing));
        EXPECT_EQ(dialog.DeviceNames(), (std::vector<std::string>{"Default", "Speaker 0"}));
    }
}

}  // namespace
}  // namespace velmora2
