// What the saver writes: the exact lines, numbers in the C locale whatever the process locale is,
// and a file that loads back to the record it came from.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <stdexcept>

#include "settings/SettingsFile.h"
#include "tests/settings/SettingsTestSupport.h"

namespace velmora2 {
namespace {

const char* const kDefaultsFile = R"([OPTION]
CAL : 1.000000
OSR : 1
DIFUNIT : SEC
TRIGEDGE : RISING
TRIGMODE : NORMAL
TADJ : 0
ADCRNG : DISABLE
FFTN : 2048
XLOG : LINEAR
WINFUNC : black-h
MAINFREQ : ON
THD : ON
THDPN : ON
SN : ON
HPF : OFF
SPECCAL : 0.000000
PHSDLY : PHASE
GRNG : -50.000000
DRNG : 300.000000
PRNG : -180 to 180
GOFT : 0.000000
PLAYWAV : sin1k.wav
DEVICE : 0
FSAMPLE : 48000
MAXREC : 30.000000
AVEENB : OFF
MAXAVEN : 50
WAVN : 18
SLOWSWEEP : OFF
GENSOURCE : WAV
GENFREQ : 1000.000000
GENLEVEL : -6.000000
GENPHASE : 0.000000
GENFREQ2 : 7000.000000
GENRATIO : 4.000000
GENCHANNELS : BOTH
GENDITHER : ON
PRECISE : OFF
FSVRMS : 0.000000
NETMETHOD : STEPPED
LOGSECONDS : 4.000000
LOGSTART : 20.000000
LOGEND : 20000.000000
LOGSMOOTH : 48
)";

// Every field away from its default, the words on their false side.
SettingsRecord NonDefaultRecord() {
    SettingsRecord r;
    r.scales.cal = 2.5;
    r.osr = 4;
    r.difunitSec = false;
    r.trigEdgeRising = false;
    r.trigModeNormal = false;
    r.tadj = -3;
    r.adcRange = true;
    r.fftn = 65536;
    r.xlog = true;
    r.winfunc = "han";
    r.mainFreq = false;
    r.thd = false;
    r.thdpn = false;
    r.sn = false;
    r.hpf = true;
    r.scales.specCal = -1.25;
    r.phaseDisplay = false;
    r.scales.gainRange = -20.0;
    r.scales.delayRange = 1000.5;
    r.scales.phaseRange = "-90 to 90";
    r.scales.gainOffset = 3.0625;
    r.playwav = "fs96k_sin1k4.wav";
    r.device = 2;
    r.fsample = 96000;
    r.maxrec = 12.5;
    r.aveenb = true;
    r.maxaven = 1000;
    r.wavn = 45;
    r.slowSweep = true;
    r.generator = {SignalKind::Pink,         997.5, -40.25, 90.0, 19000.0, 1.5,
                   SignalChannels::Inverted, false};
    r.precision = {true, 1.228};
    r.network = {true, 8.5, 10.0, 40000.0, 0};
    return r;
}

const char* const kNonDefaultFile =
    "[OPTION]\nCAL : 2.500000\nOSR : 4\nDIFUNIT : HZ\nTRIGEDGE : FALLING\nTRIGMODE : SINGLE\n"
    "TADJ : -3\nADCRNG : ENABLE\nFFTN : 65536\nXLOG : LOG\nWINFUNC : han\nMAINFREQ : OFF\n"
    "THD : OFF\nTHDPN : OFF\nSN : OFF\nHPF : ON\nSPECCAL : -1.250000\nPHSDLY : DELAY\n"
    "GRNG : -20.000000\nDRNG : 1000.500000\nPRNG : -90 to 90\nGOFT : 3.062500\n"
    "PLAYWAV : fs96k_sin1k4.wav\nDEVICE : 2\nFSAMPLE : 96000\nMAXREC : 12.500000\nAVEENB : ON\n"
    "MAXAVEN : 1000\nWAVN : 45\nSLOWSWEEP : ON\nGENSOURCE : PINK\nGENFREQ : 997.500000\n"
    "GENLEVEL : -40.250000\nGENPHASE : 90.000000\nGENFREQ2 : 19000.000000\nGENRATIO : 1.500000\n"
    "GENCHANNELS : INVERTED\nGENDITHER : OFF\nPRECISE : ON\nFSVRMS : 1.228000\n"
    "NETMETHOD : LOG\nLOGSECONDS : 8.500000\nLOGSTART : 10.000000\nLOGEND : 40000.000000\n"
    "LOGSMOOTH : 0\n";

// Sets a German locale (decimal comma) for the C library and the C++ streams while it lives.
class GermanLocale {
public:
    GermanLocale() : oldC_(std::setlocale(LC_ALL, nullptr)), oldCpp_() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
            if (std::setlocale(LC_ALL, name) == nullptr) continue;
            try {
                std::locale::global(std::locale(name));
            } catch (const std::runtime_error&) {
                continue;
            }
            active_ = true;
            return;
        }
    }
    ~GermanLocale() {
        std::setlocale(LC_ALL, oldC_.c_str());
        std::locale::global(oldCpp_);
    }
    bool Active() const { return active_; }

private:
    std::string oldC_;
    std::locale oldCpp_;
    bool active_ = false;
};

TEST(SettingsFormat, DefaultsGiveTheDocumentedFileByteForByte) {
    EXPECT_EQ(FormatSettings(SettingsRecord{}), kDefaultsFile);
}

TEST(SettingsFormat, EveryFieldWritesItsOwnValueAndTheFalseWords) {
    EXPECT_EQ(FormatSettings(NonDefaultRecord()), kNonDefaultFile);
}

TEST(SettingsFormat, WritesTheConfiguredRateNotTheActiveOne) {
    SettingsRecord r;
    r.fsample = 192000;
    r.activeSampleRate = 48000;
    EXPECT_NE(FormatSettings(r).find("\nFSAMPLE : 192000\n"), std::string::npos);
}

TEST(SettingsFormat, DoublesAreWrittenLikePrintfPercentF) {
    const struct {
        double value;
        const char* line;
    } cases[] = {
        {0.0, "CAL : 0.000000"},
        {-0.0, "CAL : -0.000000"},
        {0.1234567, "CAL : 0.123457"},
        {1e-7, "CAL : 0.000000"},
        {-1234567.5, "CAL : -1234567.500000"},
        {1e20, "CAL : 100000000000000000000.000000"},
    };
    for (const auto& c : cases) {
        SettingsRecord r;
        r.scales.cal = c.value;
        char expected[64];
        std::snprintf(expected, sizeof expected, "CAL : %f", c.value);
        EXPECT_EQ(std::string(expected), c.line) << "table entry disagrees with printf";
        EXPECT_NE(FormatSettings(r).find(std::string("\n") + c.line + "\n"), std::string::npos)
            << c.line;
    }
}

TEST(SettingsFormat, GermanLocaleStillWritesAndReadsDecimalPoints) {
    GermanLocale german;
    if (!german.Active())
        GTEST_SKIP()
            << "no German locale on this machine (localedef -i de_DE -f UTF-8 de_DE.UTF-8)";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_STREQ(probe, "1,5") << "the locale does not use a decimal comma";

    EXPECT_EQ(FormatSettings(SettingsRecord{}), kDefaultsFile);

    testing::ScratchDirectory dir;
    ASSERT_EQ(SaveSettingsFile(dir.Path(), NonDefaultRecord()), SettingsSave::Saved);
    EXPECT_EQ(testing::ReadBytes(dir.SettingsPath()), kNonDefaultFile);
    SettingsRecord loaded;
    ASSERT_EQ(LoadSettingsFile(dir.Path(), loaded), SettingsLoad::Loaded);
    EXPECT_EQ(loaded.scales.cal, 2.5);
    EXPECT_EQ(loaded.scales.delayRange, 1000.5);
}

TEST(SettingsRoundTrip, SavedNonDefaultRecordLoadsBackFieldForField) {
    testing::ScratchDirectory dir;
    const SettingsRecord saved = NonDefaultRecord();
    ASSERT_EQ(SaveSettingsFile(dir.Path(), saved), SettingsSave::Saved);
    EXPECT_EQ(testing::ReadBytes(dir.SettingsPath()), kNonDefaultFile);

    SettingsRecord loaded;
    ASSERT_EQ(LoadSettingsFile(dir.Path(), loaded), SettingsLoad::Loaded);
    EXPECT_EQ(FormatSettings(loaded), kNonDefaultFile);
    EXPECT_EQ(loaded.scales, saved.scales);
    EXPECT_EQ(loaded.generator, saved.generator);
    EXPECT_EQ(loaded.activeSampleRate, 96000);
    EXPECT_EQ(loaded.sweepPeriodMs, 2000);
}

TEST(SettingsRoundTrip, FileWithCrLfLineEndsLoadsAlike) {
    std::string crlf;
    for (const char c : std::string(kNonDefaultFile))
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    testing::ScratchDirectory dir;
    testing::WriteBytes(dir.SettingsPath(), crlf);
    SettingsRecord loaded;
    ASSERT_EQ(LoadSettingsFile(dir.Path(), loaded), SettingsLoad::Loaded);
    EXPECT_EQ(FormatSettings(loaded), kNonDefaultFile);
}

TEST(SettingsRoundTrip, DefaultsFileLoadsToDefaults) {
    testing::ScratchDirectory dir;
    SettingsRecord loaded = NonDefaultRecord();
    testing::WriteBytes(dir.SettingsPath(), kDefaultsFile);
    ASSERT_EQ(LoadSettingsFile(dir.Path(), loaded), SettingsLoad::Loaded);
    EXPECT_EQ(FormatSettings(loaded), kDefaultsFile);
    EXPECT_EQ(loaded.activeSampleRate, 48000);
    EXPECT_EQ(loaded.sweepPeriodMs, 500);
}

}  // namespace
}  // namespace velmora2
