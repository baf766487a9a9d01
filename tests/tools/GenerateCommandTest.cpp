// velmora2-measure generate: the file holds the generator's own loop, repeated for the length
// asked for; wrong arguments exit 2 with one line naming what is wrong.
#include <gtest/gtest.h>

#include "synthesis/SignalSource.h"
#include "tests/support/TempDirectory.h"
#include "tests/tools/MeasureTestSupport.h"
#include "wav/WavReader.h"

namespace velmora2 {
namespace {

TEST(GenerateCommand, WritesTheGeneratorsSamplesForTheLengthAskedFor) {
    testing::TempDirectory dir;
    const std::string out = (dir / "x.wav").string();
    const testing::CommandRun run = testing::RunMeasure(
        {"generate", "--signal", "sine", "--freq", "997", "--level", "-20", "--seconds", "2.5",
         "--rate", "96000", "--channels", "inverted", "--output", out},
        dir / "err.txt");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.err.empty());
    const WavContents file = ReadWavFile(out);
    ASSERT_EQ(file.fault, WavFault::None);
    EXPECT_EQ(file.format.sampleRate, 96000u);
    ASSERT_EQ(file.data.size(), 4u * 240000);

    GeneratorSignal sine;
    sine.kind = SignalKind::Sine;
    sine.frequencyHz = 997;
    sine.levelDbfs = -20;
    sine.channels = SignalChannels::Inverted;
    const std::vector<int16_t> loop = RenderLoop(sine, 96000);
    const auto* samples = reinterpret_cast<const int16_t*>(file.data.data());
    for (size_t i = 0; i < file.data.size() / 2; ++i)
        ASSERT_EQ(samples[i], loop[i % loop.size()]) << i;
}

TEST(GenerateCommand, WrongArgumentsAreNamed) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    };
    const Case cases[] = {
        {{"generate", "--signal", "saw", "--output", "x.wav"},
         "--signal saw: use sine, twotone, smpte, ccif, white, pink or silence"},
        {{"generate", "--freq", "30000", "--output", "x.wav"},
         "the signal cannot be made: the frequency is outside 1 Hz .. 0.49 of the sample rate"},
        {{"generate", "--level", "-130", "--output", "x.wav"},
         "the signal cannot be made: the level is outside -120 .. 0 dBFS"},
        {{"generate", "--seconds", "0", "--output", "x.wav"},
         "--seconds 0: use a length from above 0 to 3600 s"},
        {{"generate", "--rate", "44100", "--output", "x.wav"},
         "--rate 44100: use 48000, 96000 or 192000"},
        {{"generate", "--signal", "pink"}, "generate needs --output FILE.wav"},
        {{"generate", "--output"}, "--output needs a value"},
        {{"generate", "--tone", "1", "--output", "x.wav"}, "unknown option --tone (see --help)"},
    };
    testing::TempDirectory dir;
    for (const Case& c : cases) {
        const testing::CommandRun run = testing::RunMeasure(c.args, dir / "err.txt");
        EXPECT_EQ(run.exitCode, 2) << c.error;
        EXPECT_EQ(run.err, std::string("velmora2-measure: ") + c.error + "\n");
        EXPECT_TRUE(run.out.empty());
    }
}

}  // namespace
}  // namespace velmora2
