// The loader as a token reader: what it finds, what it misses, and which values it refuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <utility>

#include "settings/SettingsFile.h"
#include "tests/settings/SettingsTestSupport.h"

namespace velmora2 {
namespace {

using Prepare = std::function<void(SettingsRecord&)>;

SettingsRecord LoadText(const std::string& text, const Prepare& before = {}) {
    testing::ScratchDirectory dir;
    testing::WriteBytes(dir.SettingsPath(), text);
    SettingsRecord record;
    if (before) before(record);
    EXPECT_EQ(LoadSettingsFile(dir.Path(), record), SettingsLoad::Loaded);
    return record;
}

// The file the saver writes for the defaults, with the values of some keys replaced.
std::string DefaultsWith(std::initializer_list<std::pair<const char*, std::string>> values) {
    std::string file = FormatSettings(SettingsRecord{});
    for (const auto& [key, value] : values) {
        const std::string line = std::string("\n") + key + " : ";
        const size_t at = file.find(line) + line.size();
        file.replace(at, file.find('\n', at) - at, value);
    }
    return file;
}

// All keys from `from` on (in file order) still hold their defaults.
void ExpectDefaultsFrom(const SettingsRecord& r, const char* from) {
    const std::string formatted = FormatSettings(r);
    const std::string defaults = FormatSettings(SettingsRecord{});
    const std::string key = std::string("\n") + from + " : ";
    EXPECT_EQ(formatted.substr(formatted.find(key)), defaults.substr(defaults.find(key))) << from;
}

std::string Repeat(const std::string& piece, int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += piece;
    return s;
}

TEST(SettingsLoad, MissingFileKeepsEveryDefaultAndCreatesNothing) {
    testing::ScratchDirectory dir;
    SettingsRecord record;
    EXPECT_EQ(LoadSettingsFile(dir.Path(), record), SettingsLoad::NoFile);
    EXPECT_EQ(FormatSettings(record), FormatSettings(SettingsRecord{}));
    EXPECT_TRUE(testing::FileNames(dir.Path()).empty());

    std::filesystem::create_directory(dir.SettingsPath());
    EXPECT_EQ(LoadSettingsFile(dir.Path(), record), SettingsLoad::NoFile) << "a directory";
}

TEST(SettingsLoad, TokenReadingFaults) {
    const struct {
        const char* name;
        const char* file;
        double cal;
        int osr;
        const char* defaultsFrom;  // this key and all after it keep their defaults
    } cases[] = {
        {"only the CAL line", "CAL : 2\n", 2.0, 1, "OSR"},
        {"keys out of order", "[OPTION]\nOSR : 4\nCAL : 3\nDIFUNIT : HZ\n", 3.0, 1, "OSR"},
        {"missing key", "CAL : 2\nDIFUNIT : HZ\nTRIGEDGE : FALLING\n", 2.0, 1, "OSR"},
        {"'=' for ':'", "CAL = 2\nOSR = 4\nDIFUNIT = SEC\n", 2.0, 4, "TRIGEDGE"},
        {"no blank before the colon", "CAL: 2\nOSR : 4\n", 1.0, 1, "CAL"},
        // The value token is skipped, the next key is read as the value (0, which CAL refuses)
        // and then missed.
        {"no blank after the colon", "CAL :2\nOSR : 4\nDIFUNIT : HZ\n", 1.0, 1, "OSR"},
        {"lower-case key", "cal : 2\nOSR : 4\n", 1.0, 1, "CAL"},
        {"CR LF and tabs", "[OPTION]\r\nCAL\t:\t2.5\r\nOSR : 4\r\n", 2.5, 4, "DIFUNIT"},
        {"key without a value at the end", "CAL : 2\nOSR :", 2.0, 1, "OSR"},
        {"unknown text is skipped", "junk CAL : 2 more junk OSR : 4 ", 2.0, 4, "DIFUNIT"},
        {"empty file", "", 1.0, 1, "CAL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsRecord r = LoadText(c.file);
        EXPECT_EQ(r.scales.cal, c.cal);
        EXPECT_EQ(r.osr, c.osr);
        ExpectDefaultsFrom(r, c.defaultsFrom);
    }
}

TEST(SettingsLoad, WordsAreCaseSensitiveAndUnknownWordsReadAsFalse) {
    const SettingsRecord r = LoadText(DefaultsWith({{"DIFUNIT", "sec"},
                                                    {"TRIGMODE", "x"},
                                                    {"ADCRNG", "ENABLE"},
                                                    {"XLOG", "log"},
                                                    {"MAINFREQ", "on"},
                                                    {"PHSDLY", "PHASE"}}),
                                      [](SettingsRecord& s) { s.phaseDisplay = false; });
    EXPECT_FALSE(r.difunitSec);
    EXPECT_TRUE(r.trigEdgeRising);
    EXPECT_FALSE(r.trigModeNormal);
    EXPECT_TRUE(r.adcRange);
    EXPECT_FALSE(r.xlog);
    EXPECT_FALSE(r.mainFreq);
    EXPECT_TRUE(r.phaseDisplay);
}

TEST(SettingsLoad, NumbersTakeTheLeadingNumberAndNoneReadsAsZero) {
    const SettingsRecord r = LoadText(
        DefaultsWith({{"CAL", "2abc"}, {"OSR", "4x"}, {"TADJ", "abc"}, {"GRNG", "+2.5e1"}}),
        [](SettingsRecord& s) { s.tadj = 3; });
    EXPECT_EQ(r.scales.cal, 2.0);
    EXPECT_EQ(r.osr, 4);
    EXPECT_EQ(r.tadj, 0);
    EXPECT_EQ(r.scales.gainRange, 25.0);
}

TEST(SettingsLoad, PhaseRangeIsToldApartByItsFirstToken) {
    const struct {
        const char* value;
        const char* loaded;
    } cases[] = {
        {"-90 to 90", "-90 to 90"}, {"-180 to 180", "-180 to 180"}, {"-360 to 360", "-360 to 360"},
        {"90", "-360 to 360"},      {"-90", "-90 to 90"},           {"-90to90", "-360 to 360"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const SettingsRecord r = LoadText(DefaultsWith({{"PRNG", c.value}, {"GOFT", "1.5"}}));
        EXPECT_EQ(r.scales.phaseRange, c.loaded);
        EXPECT_EQ(r.scales.gainOffset, 1.5) << "the rest of the value is skipped, GOFT still found";
    }
}

TEST(SettingsLoad, SlowSweepIsOffOnlyForTheExactWord) {
    const struct {
        const char* value;
        bool slow;
        int periodMs;
    } cases[] = {{"OFF", false, 500}, {"ON", true, 2000}, {"off", true, 2000}, {"0", true, 2000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const SettingsRecord r =
            LoadText(DefaultsWith({{"SLOWSWEEP", c.value}}), [&](SettingsRecord& s) {
                s.slowSweep = !c.slow;
                s.sweepPeriodMs = c.slow ? 500 : 2000;
            });
        EXPECT_EQ(r.slowSweep, c.slow);
        EXPECT_EQ(r.sweepPeriodMs, c.periodMs);
    }
}

TEST(SettingsLoad, SampleRateSetsBothTheConfiguredAndTheActiveRate) {
    for (const int rate : {96000, 192000, 48000}) {
        const SettingsRecord r =
            LoadText(DefaultsWith({{"FSAMPLE", std::to_string(rate)}, {"MAXREC", "8"}}),
                     [](SettingsRecord& s) { s.fsample = s.activeSampleRate = 44100; });
        EXPECT_EQ(r.fsample, rate);
        EXPECT_EQ(r.activeSampleRate, rate);
        EXPECT_EQ(r.maxrec, 8.0);
    }
}

TEST(SettingsLoad, LimitsOfTheAllowedSetsAreAccepted) {
    const struct {
        const char* osr;
        const char* tadj;
        const char* fftn;
        const char* maxaven;
        const char* wavn;
    } cases[] = {{"4", "-5", "256", "2", "11"}, {"2", "5", "65536", "1000", "45"}};
    for (const auto& c : cases) {
        const SettingsRecord r = LoadText(DefaultsWith({{"OSR", c.osr},
                                                        {"TADJ", c.tadj},
                                                        {"FFTN", c.fftn},
                                                        {"MAXAVEN", c.maxaven},
                                                        {"WAVN", c.wavn}}));
        EXPECT_EQ(std::to_string(r.osr), c.osr);
        EXPECT_EQ(std::to_string(r.tadj), c.tadj);
        EXPECT_EQ(std::to_string(r.fftn), c.fftn);
        EXPECT_EQ(std::to_string(r.maxaven), c.maxaven);
        EXPECT_EQ(std::to_string(r.wavn), c.wavn);
    }
}

// Each refused value leaves its field as it was before the load, and the loading goes on.
TEST(SettingsLoad, RefusedValuesKeepTheCurrentValue) {
    const struct {
        const char* key;
        const char* value;
        Prepare set;  // a non-default current value
    } cases[] = {
        {"OSR", "3", [](SettingsRecord& r) { r.osr = 2; }},
        {"OSR", "0", [](SettingsRecord& r) { r.osr = 4; }},
        {"TADJ", "6", [](SettingsRecord& r) { r.tadj = 2; }},
        {"TADJ", "-6", [](SettingsRecord& r) { r.tadj = -2; }},
        {"FFTN", "1000", [](SettingsRecord& r) { r.fftn = 8192; }},
        {"FFTN", "128", [](SettingsRecord& r) { r.fftn = 512; }},
        {"FFTN", "131072", [](SettingsRecord& r) { r.fftn = 512; }},
        {"FFTN", "4294969344", [](SettingsRecord& r) { r.fftn = 512; }},  // 2^32 + 2048
        {"DEVICE", "-1", [](SettingsRecord& r) { r.device = 3; }},
        {"MAXAVEN", "1", [](SettingsRecord& r) { r.maxaven = 20; }},
        {"MAXAVEN", "1001", [](SettingsRecord& r) { r.maxaven = 20; }},
        {"MAXAVEN", "zero", [](SettingsRecord& r) { r.maxaven = 20; }},
        {"WAVN", "12", [](SettingsRecord& r) { r.wavn = 30; }},
        {"CAL", "nan", [](SettingsRecord& r) { r.scales.cal = 3.0; }},
        {"CAL", "inf", [](SettingsRecord& r) { r.scales.cal = 3.0; }},
        // CAL multiplies the traces: what the options dialog refuses must not load either.
        {"CAL", "banana", [](SettingsRecord& r) { r.scales.cal = 3.0; }},
        {"CAL", "-3", [](SettingsRecord& r) { r.scales.cal = 3.0; }},
        {"CAL", "0.005", [](SettingsRecord& r) { r.scales.cal = 3.0; }},
        {"CAL", "10.5", [](SettingsRecord& r) { r.scales.cal = 3.0; }},
        {"SPECCAL", "-infinity", [](SettingsRecord& r) { r.scales.specCal = 1.0; }},
        {"GRNG", "1e999", [](SettingsRecord& r) { r.scales.gainRange = -5.0; }},
        {"DRNG", "-1e999", [](SettingsRecord& r) { r.scales.delayRange = 5.0; }},
        {"GOFT", "NAN", [](SettingsRecord& r) { r.scales.gainOffset = 5.0; }},
        {"MAXREC", "inf", [](SettingsRecord& r) { r.maxrec = 5.0; }},
        // Saved with "%f", these would not fit into one 99-byte token and would read back cut.
        {"CAL", "1.7e308", [](SettingsRecord& r) { r.scales.cal = 3.0; }},
        {"GRNG", "-1e92", [](SettingsRecord& r) { r.scales.gainRange = -5.0; }},
        {"MAXREC", "1e92", [](SettingsRecord& r) { r.maxrec = 5.0; }},
        {"SPECCAL", "-1e91", [](SettingsRecord& r) { r.scales.specCal = 1.0; }},
        {"FSAMPLE", "44100", [](SettingsRecord& r) { r.fsample = r.activeSampleRate = 96000; }},
        {"FSAMPLE", "0", [](SettingsRecord& r) { r.fsample = r.activeSampleRate = 192000; }},
        {"GENSOURCE", "SAW", [](SettingsRecord& r) { r.generator.kind = SignalKind::Pink; }},
        {"GENSOURCE", "sine", [](SettingsRecord& r) { r.generator.kind = SignalKind::Smpte; }},
        {"GENFREQ", "0.5", [](SettingsRecord& r) { r.generator.frequencyHz = 440.0; }},
        {"GENFREQ", "1e6", [](SettingsRecord& r) { r.generator.frequencyHz = 440.0; }},
        {"GENLEVEL", "3", [](SettingsRecord& r) { r.generator.levelDbfs = -20.0; }},
        {"GENLEVEL", "-121", [](SettingsRecord& r) { r.generator.levelDbfs = -20.0; }},
        {"GENPHASE", "720", [](SettingsRecord& r) { r.generator.phaseDegrees = 45.0; }},
        {"GENFREQ2", "nan", [](SettingsRecord& r) { r.generator.frequency2Hz = 500.0; }},
        {"GENRATIO", "0", [](SettingsRecord& r) { r.generator.ratio = 2.0; }},
        {"GENCHANNELS", "MONO",
         [](SettingsRecord& r) { r.generator.channels = SignalChannels::Left; }},
        {"FSVRMS", "-1", [](SettingsRecord& r) { r.precision.fullScaleVrms = 2.0; }},
        {"FSVRMS", "1001", [](SettingsRecord& r) { r.precision.fullScaleVrms = 2.0; }},
        {"LOGSECONDS", "0.5", [](SettingsRecord& r) { r.network.seconds = 10.0; }},
        {"LOGSECONDS", "21", [](SettingsRecord& r) { r.network.seconds = 10.0; }},
        {"LOGSTART", "5", [](SettingsRecord& r) { r.network.startHz = 50.0; }},
        {"LOGEND", "90000", [](SettingsRecord& r) { r.network.endHz = 8000.0; }},
        {"LOGSMOOTH", "3", [](SettingsRecord& r) { r.network.smoothing = 12; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " : " + c.value);
        SettingsRecord expected;
        c.set(expected);
        expected.slowSweep = true;
        const SettingsRecord after =
            LoadText(DefaultsWith({{c.key, c.value}, {"SLOWSWEEP", "ON"}}), c.set);
        EXPECT_EQ(FormatSettings(after), FormatSettings(expected));
        EXPECT_EQ(after.activeSampleRate, expected.activeSampleRate);
        EXPECT_EQ(after.sweepPeriodMs, 2000) << "loading stopped at the refused value";
    }
}

TEST(SettingsLoad, CalibrationLoadsAcrossTheDialogsWholeRange) {
    for (const auto& [text, value] :
         {std::pair{"0.01", 0.01}, std::pair{"10", 10.0}, std::pair{"2.5", 2.5}}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(LoadText(DefaultsWith({{"CAL", text}})).scales.cal, value);
    }
}

TEST(SettingsLoad, TheLargestNumbersWhoseSavedTextFitsAreKeptAndReadBackAsSaved) {
    const SettingsRecord loaded = LoadText(DefaultsWith({{"MAXREC", "1e91"}, {"GOFT", "-1e90"}}));
    const std::string saved = FormatSettings(loaded);
    EXPECT_EQ(loaded.maxrec, 1e91);
    EXPECT_EQ(loaded.scales.gainOffset, -1e90);
    EXPECT_EQ(FormatSettings(LoadText(saved)), saved);
}

TEST(SettingsLoad, OverLongTokensAreCutWithoutSplittingACharacter) {
    const std::string a98(98, 'a');
    const struct {
        const char* name;
        std::string value;
        std::string loaded;
    } cases[] = {
        {"99 bytes stay whole", std::string(99, 'w'), std::string(99, 'w')},
        {"200 bytes are cut to 99", std::string(200, 'w'), std::string(99, 'w')},
        {"two-byte character across the limit", a98 + "\xC3\xA9tail", a98},
        {"three-byte character across the limit", a98 + "\xE3\x81\x82", a98},
        {"four-byte character across the limit", std::string(97, 'a') + "\xF0\x9F\x8E\xB5",
         std::string(97, 'a')},
        {"character ending exactly at the limit", Repeat("\xE3\x81\x82", 34),
         Repeat("\xE3\x81\x82", 33)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsRecord r =
            LoadText(DefaultsWith({{"WINFUNC", c.value}, {"MAINFREQ", "OFF"}}));
        EXPECT_EQ(r.winfunc, c.loaded);
        EXPECT_FALSE(r.mainFreq) << "the rest of the long token was read as a token";
    }
}

TEST(SettingsLoad, OverLongGeneratorFileNameKeepsThePreviousName) {
    const struct {
        std::string name;
        std::string loaded;
    } cases[] = {
        {std::string(96, 'n') + ".wav", "old.wav"},
        {std::string(95, 'n') + ".wav", std::string(95, 'n') + ".wav"},
        {Repeat("\xE3\x81\x82", 33), Repeat("\xE3\x81\x82", 33)},
        {Repeat("\xE3\x81\x82", 34), "old.wav"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.size());
        const SettingsRecord r = LoadText(DefaultsWith({{"PLAYWAV", c.name}, {"DEVICE", "2"}}),
                                          [](SettingsRecord& s) { s.playwav = "old.wav"; });
        EXPECT_EQ(r.playwav, c.loaded);
        EXPECT_EQ(r.device, 2);
    }
}

// A FIFO would block the start-up and a link to /dev/zero would never end: neither is read, the
// program starts as without a settings file, and a regular file is read up to a bound far above
// any real one.
TEST(SettingsLoad, AnythingButARegularFileIsNotReadAndNeverBlocks) {
    for (const char* kind : {"fifo", "link to /dev/zero"}) {
        SCOPED_TRACE(kind);
        testing::ScratchDirectory dir;
        if (std::string(kind) == "fifo")
            ASSERT_EQ(mkfifo(dir.SettingsPath().c_str(), 0644), 0);
        else
            std::filesystem::create_symlink("/dev/zero", dir.SettingsPath());
        SettingsRecord record;
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(LoadSettingsFile(dir.Path(), record), SettingsLoad::NoFile);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "settings: " + dir.SettingsPath().string() +
                      " is not a regular file; it is not read\n");
        EXPECT_EQ(FormatSettings(record), FormatSettings(SettingsRecord{}));
    }
    const SettingsRecord big =
        LoadText(DefaultsWith({{"CAL", "2"}}) + std::string(3 << 20, ' ') + "\nOSR : 4\n");
    EXPECT_EQ(big.scales.cal, 2.0);
}

}  // namespace
}  // namespace velmora2
