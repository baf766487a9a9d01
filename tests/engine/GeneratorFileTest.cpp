// Loading generator files on the stepped bench: each crafted file gives its code, a file that
// fails never replaces the sound that plays, and the file is taken from where the look-up found it.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <optional>

#include "display/DrawCallLog.h"
#include "tests/engine/WavCrafting.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

using namespace velmora2::testing;

// A stereo file whose left channel holds one constant value: captured at 0 dB, the left input
// shows exactly that value, so the test can tell which file is playing.
Bytes ConstantWav(int16_t left, uint32_t rate = 48000) {
    Bytes data;
    for (int f = 0; f < 480; ++f) {
        Append16(data, static_cast<uint16_t>(left));
        Append16(data, 0);
    }
    return Riff({Chunk("fmt ", FormatBody({.rate = rate})), Chunk("data", data)});
}

SimBenchOptions BenchUpTo48k(SimFault fault = SimFault::None) {
    SimBenchOptions options;
    options.maxOutputRate = 48000;
    options.fault = fault;
    return options;
}

class GeneratorFiles : public ::testing::Test {
protected:
    explicit GeneratorFiles(SimBenchOptions options = BenchUpTo48k()) : bench(options) {}

    void SetUp() override {
        engine.SetBlockObserver([this](const CDSCapture::ProcessedBlock& b) {
            int16_t left;
            std::memcpy(&left, b.bytes + 4 * (kBlockFrames - 1), 2);
            lastLeft = left;
        });
        int maxRate = 0;
        ASSERT_EQ(engine.Start(maxRate), kOk);
        ASSERT_EQ(maxRate, 48000);
        engine.SetGeneratorVolume(0);
    }
    void TearDown() override { EXPECT_TRUE(engine.Stop()); }

    void Put(const std::string& name, const Bytes& bytes) {
        WriteFileBytes(programDir / name, bytes);
    }
    // The left input after the generator has played for a while.
    int Heard() {
        EXPECT_TRUE(DeliverBlocks(bench, engine, 2));
        return lastLeft.load();
    }

    TempDirectory programDir;
    TempDirectory elsewhere;
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine{bench,      window,
                      DeviceId{}, DeviceId{},
                      48000,      FileSearchPlaces{programDir.Path(), elsewhere.Path(), {}, {}}};
    std::atomic<int> lastLeft{0};
};

struct LoadCase {
    const char* description;
    std::optional<Bytes> file;  // none: no such file
    int code;
};

std::vector<LoadCase> LoadCases() {
    const Bytes fmt = Chunk("fmt ", FormatBody({}));
    const Bytes data = Chunk("data", Samples(64));
    Bytes cutFormat = Riff({Chunk("fmt ", FormatBody({}), 40)});
    cutFormat.resize(36);
    Bytes cutData = Riff({fmt, data});
    cutData.resize(cutData.size() - 10);
    return {
        {"no such file", std::nullopt, -1},
        {"not a RIFF/WAVE file", Bytes{'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0, 0, 0, 0}, -2},
        {"no format chunk", Riff({data}), -3},
        {"an empty format chunk", Riff({Chunk("fmt ", {}), data}), -4},
        {"floating-point samples", Riff({Chunk("fmt ", FormatBody({.tag = 3, .bits = 32})), data}),
         -5},
        {"a format chunk cut off", cutFormat, -6},
        {"no data chunk", Riff({fmt}), -7},
        {"an empty data chunk", Riff({fmt, Chunk("data", {})}), -8},
        {"8-bit samples, which the output does not take",
         Riff({Chunk("fmt ", FormatBody({.bits = 8})), data}), -9},
        {"a data chunk longer than the file", cutData, -11},
        {"96000 Hz on a 48000 Hz device", ConstantWav(2000, 96000), 96000},
        {"96000 Hz and no data: the rate is checked first",
         Riff({Chunk("fmt ", FormatBody({.rate = 96000}))}), 96000},
    };
}

TEST_F(GeneratorFiles, EachFaultyFileGivesItsCodeAndTheOldSoundGoesOn) {
    Put("good.wav", ConstantWav(1000));
    ASSERT_EQ(engine.SetGeneratorFile("good.wav"), 0);
    engine.SetOutputs(true, true, true);
    ASSERT_EQ(Heard(), 1000);

    const std::vector<LoadCase> cases = LoadCases();
    for (size_t i = 0; i < cases.size(); ++i) {
        const LoadCase& c = cases[i];
        const std::string name = "case" + std::to_string(i) + ".wav";
        if (c.file) Put(name, *c.file);
        EXPECT_EQ(engine.SetGeneratorFile(name), c.code) << c.description;
        EXPECT_EQ(Heard(), 1000) << c.description;
    }
}

TEST_F(GeneratorFiles, ANewFileReplacesTheSoundWholeAndFollowsTheSwitch) {
    Put("first.wav", ConstantWav(1000));
    Put("second.wav", ConstantWav(-3000));
    ASSERT_EQ(engine.SetGeneratorFile("first.wav"), 0);
    EXPECT_EQ(Heard(), 0) << "the generator is off";
    engine.SetOutputs(true, true, true);
    EXPECT_EQ(Heard(), 1000);
    ASSERT_EQ(engine.SetGeneratorFile("second"), 0) << "\".wav\" is added to a bare name";
    EXPECT_EQ(Heard(), -3000);
    engine.SetGeneratorVolume(-600);
    EXPECT_EQ(Heard(), static_cast<int>(std::lround(-3000 * VolumeToGain(-600))));
    engine.SetOutputs(true, true, false);
    EXPECT_EQ(Heard(), 0);
    EXPECT_EQ(engine.Settings().generatorFile, "second");
}

TEST(GeneratorLookUp, AFileOnlyInTheProgramDirectoryLoadsWhateverTheCurrentDirectory) {
    TempDirectory programDir;
    WriteFileBytes(programDir / "only-here.wav", ConstantWav(700));
    ASSERT_FALSE(std::filesystem::exists(std::filesystem::current_path() / "only-here.wav"));
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000,
                      ProgramSearchPlaces(programDir.Path()));
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    EXPECT_EQ(engine.SetGeneratorFile("only-here.wav"), 0);
    EXPECT_TRUE(engine.Stop());
}

TEST(GeneratorWithoutDevice, AnEngineThatIsNotRunningHasNoOutputBuffer) {
    TempDirectory dir;
    WriteFileBytes(dir / "tone.wav", GoodWav());
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000,
                      FileSearchPlaces{dir.Path(), {}, {}, {}});
    EXPECT_EQ(engine.SetGeneratorFile("tone.wav"), -9);
}

class FillFails : public GeneratorFiles {
protected:
    FillFails() : GeneratorFiles(BenchUpTo48k(SimFault::FillOutputBuffer)) {}
};

TEST_F(FillFails, ABufferThatCannotBeFilledIsNeverPlayed) {
    Put("tone.wav", ConstantWav(1000));
    engine.SetOutputs(true, true, true);
    EXPECT_EQ(engine.SetGeneratorFile("tone.wav"), -10);
    EXPECT_EQ(Heard(), 0);
}

class PlayFails : public GeneratorFiles {
protected:
    PlayFails() : GeneratorFiles(BenchUpTo48k(SimFault::PlayOutputBuffer)) {}
};

TEST_F(PlayFails, AGeneratorThatCannotStartSaysSoOnlyWhenItIsOn) {
    Put("tone.wav", ConstantWav(1000));
    EXPECT_EQ(engine.SetGeneratorFile("tone.wav"), 0);
    engine.SetOutputs(true, true, true);
    EXPECT_EQ(engine.SetGeneratorFile("tone.wav"), -15);
}

}  // namespace
}  // namespace velmora2
