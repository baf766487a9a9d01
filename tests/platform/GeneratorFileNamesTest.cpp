// Tone file names as the sweep tables and the generator use them.
#include <gtest/gtest.h>

#include "platform/GeneratorFileNames.h"

namespace velmora2 {
namespace {

TEST(ToneFileName, TokenAndPrefixFollowTheFrequencyAndTheRate) {
    const struct {
        int frequency;
        int rate;
        const char* name;
    } cases[] = {
        {50, 48000, "sin50.wav"},
        {700, 48000, "sin700.wav"},
        {1000, 48000, "sin1k.wav"},
        {1500, 48000, "sin1k5.wav"},
        {20000, 48000, "sin20k.wav"},
        {100, 96000, "fs96k_sin100.wav"},
        {1400, 96000, "fs96k_sin1k4.wav"},
        {40000, 96000, "fs96k_sin40k.wav"},
        {10800, 192000, "fs192k_sin10k8.wav"},
        {280, 192000, "fs192k_sin280.wav"},
        {1000, 44100, "fs192k_sin1k.wav"},  // any other rate uses the 192000 Hz names
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToneFileName(c.frequency, c.rate), c.name) << c.frequency << " Hz at " << c.rate;
    EXPECT_EQ(ToneFileName(1000, 48000), kDefaultToneFile);
}

}  // namespace
}  // namespace velmora2
