// Conversion of captured frames into the raw records, record assembly and the trigger search.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "audio/SoundSystem.h"
#include "engine/SampleConversion.h"
#include "engine/TriggerSearch.h"
#include "records/RuntimeState.h"

namespace velmora2 {
namespace {

// A block whose frame s holds left = s and right = 10000 + s.
std::vector<uint8_t> RampBlock() {
    std::vector<uint8_t> bytes(kBlockBytes);
    for (int s = 0; s < kBlockFrames; ++s) {
        const int16_t frame[2] = {static_cast<int16_t>(s), static_cast<int16_t>(10000 + s)};
        std::memcpy(&bytes[s * 4], frame, 4);
    }
    return bytes;
}

TEST(ConvertBlock, DelayShiftsTheRightChannelAndKeepsTheUncoveredPositions) {
    const std::vector<uint8_t> block = RampBlock();
    struct Case {
        int delay;
        int keptFrom, keptTo;  // right positions that keep their old contents
    };
    for (const Case c : {Case{0, 0, 0}, Case{3, 0, 3}, Case{-3, 2045, 2048}}) {
        SCOPED_TRACE(c.delay);
        std::vector<double> left(kBlockFrames, -1.0), right(kBlockFrames, -1.0);
        ConvertBlock(block.data(), c.delay, left.data(), right.data());
        for (int s = 0; s < kBlockFrames; ++s) {
            EXPECT_EQ(left[s], s);
            if (s >= c.keptFrom && s < c.keptTo)
                EXPECT_EQ(right[s], -1.0) << s;
            else
                EXPECT_EQ(right[s], 10000 + s - c.delay) << s;
        }
    }
}

TEST(ConvertBlock, SamplesAreSignedSixteenBit) {
    std::vector<uint8_t> block(kBlockBytes, 0);
    const int16_t extremes[2] = {-32768, 32767};
    std::memcpy(block.data(), extremes, 4);
    std::vector<double> left(kBlockFrames), right(kBlockFrames);
    ConvertBlock(block.data(), 0, left.data(), right.data());
    EXPECT_EQ(left[0], -32768.0);
    EXPECT_EQ(right[0], 32767.0);
}

TEST(NextRecordPosition, AssemblesLongRecordsOnlyInSpectrumMode) {
    EXPECT_EQ(NextRecordPosition(0, kModeSpectrum, 8192), 1);
    EXPECT_EQ(NextRecordPosition(2, kModeSpectrum, 8192), 3);
    EXPECT_EQ(NextRecordPosition(3, kModeSpectrum, 8192), 0);
    EXPECT_EQ(NextRecordPosition(0, kModeSpectrum, 2048), 0);
    EXPECT_EQ(NextRecordPosition(0, kModeSpectrum, 256), 0);
    // Leaving spectrum mode restarts the record at the next stored block.
    EXPECT_EQ(NextRecordPosition(2, kModeScope, 8192), 0);
}

class TriggerSearch : public ::testing::Test {
protected:
    std::array<double, kBlockFrames> v{};
};

TEST_F(TriggerSearch, OffStartsAtTheStartIndex) {
    const TriggerResult r = FindTrigger(v.data(), false, true, 0, 60 + 93 / 2);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.index, 106);
}

TEST_F(TriggerSearch, RisingEdgeAtALevelEqualToASample) {
    v.fill(-100.0);
    v[200] = 50.0;  // v[i] == level < v[i+1] triggers at i
    v[201] = 80.0;
    TriggerResult r = FindTrigger(v.data(), true, true, 50, 60);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.index, 200);

    v.fill(-100.0);
    v[300] = 20.0;  // v[i] < level == v[i+1] does not trigger at i, and nothing later rises
    v[301] = 50.0;
    for (int i = 302; i < kBlockFrames; ++i) v[i] = 50.0;
    r = FindTrigger(v.data(), true, true, 50, 60);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.index, 0);
}

TEST_F(TriggerSearch, FallingEdgeAtALevelEqualToASample) {
    v.fill(100.0);
    v[500] = -10.0;  // v[i] == level > v[i+1]
    v[501] = -40.0;
    const TriggerResult r = FindTrigger(v.data(), true, false, -10, 60);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.index, 500);
}

TEST_F(TriggerSearch, CrossingsBeforeTheStartAreIgnored) {
    v.fill(-1.0);
    v[59] = 1.0;    // the crossing 58 -> 59 lies before the start
    v[2047] = 1.0;  // the last possible crossing: 2046 -> 2047
    const TriggerResult r = FindTrigger(v.data(), true, true, 0, 60);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.index, 2046);
}

}  // namespace
}  // namespace velmora2
