// Listing the usable devices of each kind: enumeration order with the default first, devices that
// cannot be used left out (output ones with a warning), and lists that never grow past the count
// of the first pass or past ten entries, whatever the sound system reports in between.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/DeviceEnumeration.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/ScriptedSoundSystem.h"

namespace velmora2 {
namespace {

using testing::DefaultAndNumbered;
using testing::DeviceListing;
using testing::FakeDialogServices;
using testing::ScriptedSoundSystem;

enum class Kind { Capture, Output };

std::string KindName(Kind kind) {
    return kind == Kind::Capture ? "capture" : "output";
}

void Script(ScriptedSoundSystem& sound, Kind kind, std::vector<DeviceListing> listings) {
    if (kind == Kind::Capture)
        sound.ScriptCaptureListings(std::move(listings));
    else
        sound.ScriptOutputListings(std::move(listings));
}

DeviceList Enumerate(Kind kind, ScriptedSoundSystem& sound, FakeDialogServices& services) {
    return kind == Kind::Capture ? EnumerateCaptureDevices(sound)
                                 : EnumerateOutputDevices(sound, services);
}

std::vector<int> IdValues(const DeviceList& list) {
    std::vector<int> values;
    for (const DeviceId& id : list.ids) values.push_back(id.value);
    return values;
}

// Listings per call: the counting pass sees the first, the filling pass the second.
struct ListingCase {
    const char* description;
    DeviceListing counted;
    DeviceListing filled;
    std::vector<int> expectedIds;  // -1 is the default device
};

std::vector<ListingCase> ListingCases() {
    return {
        {"the default device comes first, the others in enumeration order",
         DefaultAndNumbered(2, "Board"),
         DefaultAndNumbered(2, "Board"),
         {-1, 0, 1}},
        {"fourteen devices: the first ten are kept",
         DefaultAndNumbered(13, "Dev"),
         DefaultAndNumbered(13, "Dev"),
         {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"devices appearing between the passes are not written past the count",
         DefaultAndNumbered(1, "Dev"),
         DefaultAndNumbered(5, "Dev"),
         {-1, 0}},
        {"devices appearing between the passes beyond ten entries are dropped",
         DefaultAndNumbered(11, "Dev"),
         DefaultAndNumbered(20, "Dev"),
         {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"a device vanishing between the passes shortens the list",
         DefaultAndNumbered(3, "Dev"),
         DefaultAndNumbered(1, "Dev"),
         {-1, 0}},
        {"no device at all", {}, {}, {}},
    };
}

TEST(DeviceEnumeration, ListsAreBoundedByTheCountingPassAndByTen) {
    for (const Kind kind : {Kind::Capture, Kind::Output}) {
        for (const ListingCase& c : ListingCases()) {
            SCOPED_TRACE(KindName(kind) + ": " + c.description);
            ScriptedSoundSystem sound;
            FakeDialogServices services;
            Script(sound, kind, {c.counted, c.filled});

            const DeviceList list = Enumerate(kind, sound, services);

            EXPECT_EQ(IdValues(list), c.expectedIds);
            ASSERT_EQ(list.names.size(), list.ids.size());
            for (size_t i = 0; i < list.ids.size(); ++i) EXPECT_EQ(list.names[i], c.filled[i].name);
            EXPECT_TRUE(services.Messages().empty());
        }
    }
}

TEST(DeviceEnumeration, UnusableCaptureDeviceIsLeftOutSilently) {
    ScriptedSoundSystem sound;
    FakeDialogServices services;
    sound.ScriptCaptureListings({DefaultAndNumbered(3, "Mic")});
    sound.SetCaptureUsable(DeviceId{1}, false);

    const DeviceList list = EnumerateCaptureDevices(sound);

    EXPECT_EQ(IdValues(list), (std::vector<int>{-1, 0, 2}));
    EXPECT_EQ(list.names, (std::vector<std::string>{"Default", "Mic 0", "Mic 2"}));
    EXPECT_TRUE(services.Messages().empty());
}

TEST(DeviceEnumeration, UnusableOutputDeviceIsWarnedAboutOnceAndLeftOut) {
    ScriptedSoundSystem sound;
    FakeDialogServices services;
    sound.ScriptOutputListings({DefaultAndNumbered(3, "Speaker")});
    sound.SetOutputUsable(DeviceId{1}, false);

    const DeviceList list = EnumerateOutputDevices(sound, services);

    EXPECT_EQ(IdValues(list), (std::vector<int>{-1, 0, 2}));
    EXPECT_EQ(list.names, (std::vector<std::string>{"Default", "Speaker 0", "Speaker 2"}));
    ASSERT_EQ(services.Messages().size(), 1u);
    const testing::RecordedMessage& warning = services.Messages()[0];
    EXPECT_EQ(warning.icon, MessageIcon::Exclamation);
    EXPECT_EQ(warning.title, "Velmora2");
    EXPECT_EQ(warning.text,
              "オーディオデバイスに問題があります。 \r\n"
              "Velmora2のヘルプの \r\n"
              "→トラブルシューティングをご覧ください。 ");
}

TEST(DeviceEnumeration, EveryUnusableOutputDeviceHasItsOwnWarning) {
    ScriptedSoundSystem sound;
    FakeDialogServices services;
    sound.ScriptOutputListings({DefaultAndNumbered(3, "Speaker")});
    sound.SetOutputUsable(DeviceId{0}, false);
    sound.SetOutputUsable(DeviceId{2}, false);

    const DeviceList list = EnumerateOutputDevices(sound, services);

    EXPECT_EQ(IdValues(list), (std::vector<int>{-1, 1}));
    EXPECT_EQ(services.Messages().size(), 2u);
}

struct NameCase {
    const char* description;
    std::string name;
    std::string expected;
};

TEST(DeviceEnumeration, LongNamesAreCutToSixtyThreeBytesOnACharacterBoundary) {
    const std::string a63(63, 'a');
    const std::string kana = "音";  // three bytes
    std::string kana21;
    for (int i = 0; i < 21; ++i) kana21 += kana;
    std::string kana20;
    for (int i = 0; i < 20; ++i) kana20 += kana;

    const NameCase cases[] = {
        {"short names stay whole", "USB Audio", "USB Audio"},
        {"exactly 63 bytes stay whole", a63, a63},
        {"ASCII is cut at 63 bytes", a63 + "bcdef", a63},
        {"a character ending at byte 63 is kept", kana21 + kana, kana21},
        {"a character crossing byte 63 is dropped whole", "a" + kana21, "a" + kana20},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.description);
        const std::string cut = CutDeviceName(c.name);
        EXPECT_EQ(cut, c.expected);
        EXPECT_LE(cut.size(), kMaxDeviceNameBytes);
    }
}

TEST(DeviceEnumeration, ListedNamesAreCut) {
    ScriptedSoundSystem sound;
    sound.ScriptCaptureListings({{{DeviceId{}, std::string(80, 'x')}}});
    const DeviceList list = EnumerateCaptureDevices(sound);
    ASSERT_EQ(list.names.size(), 1u);
    EXPECT_EQ(list.names[0], std::string(63, 'x'));
}

}  // namespace
}  // namespace velmora2
