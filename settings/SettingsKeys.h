// The keys of the settings file in file order, each with its field and the rule for its value.
// The loader and the saver both walk this one table, so they cannot disagree about order or words.
#pragma once

#include <cstdint>

#include "settings/SettingsRecord.h"
#include "settings/SettingsRules.h"

namespace velmora2::settings_keys {

struct Real {  // "%f"; not-finite values, and values outside the allowed range if any, are refused
    bool (*allowed)(double) = nullptr;
};
struct Integer {  // "%d"; values outside the allowed set are refused
    bool (*allowed)(int32_t);
};
struct Word {  // one of two words; any other word reads as false
    const char* trueWord;
    const char* falseWord;
};
struct Text {        // the token as it stands
    bool refuseCut;  // a cut value keeps the current one instead
};
struct PhaseRange {};  // PRNG: told apart by its first token
struct SampleRate {};  // FSAMPLE: also sets the active rate
struct SweepSpeed {};  // SLOWSWEEP: "OFF" is false, anything else true; sets the sweep period
// One of a list of words, each naming one value of an enumeration (in its order); any other word
// is refused.
struct Choice {
    const char* const* words;
    int count;
};

inline constexpr const char* kSignalKindWords[] = {"WAV",  "SINE",  "TWOTONE", "SMPTE",
                                                   "CCIF", "WHITE", "PINK",    "SILENCE"};
inline constexpr const char* kSignalChannelWords[] = {"BOTH", "LEFT", "RIGHT", "INVERTED"};

// Calls visit(key, field, rule) for every key in file order; Record is SettingsRecord or
// const SettingsRecord.
template <typename Record, typename Visitor>
void ForEachKey(Record& r, Visitor&& visit) {
    visit("CAL", r.scales.cal, Real{IsValidCalibration});
    visit("OSR", r.osr, Integer{IsValidOversampling});
    visit("DIFUNIT", r.difunitSec, Word{"SEC", "HZ"});
    visit("TRIGEDGE", r.trigEdgeRising, Word{"RISING", "FALLING"});
    visit("TRIGMODE", r.trigModeNormal, Word{"NORMAL", "SINGLE"});
    visit("TADJ", r.tadj, Integer{IsValidChannelDelay});
    visit("ADCRNG", r.adcRange, Word{"ENABLE", "DISABLE"});
    visit("FFTN", r.fftn, Integer{IsValidRecordLength});
    visit("XLOG", r.xlog, Word{"LOG", "LINEAR"});
    visit("WINFUNC", r.winfunc, Text{false});
    visit("MAINFREQ", r.mainFreq, Word{"ON", "OFF"});
    visit("THD", r.thd, Word{"ON", "OFF"});
    visit("THDPN", r.thdpn, Word{"ON", "OFF"});
    visit("SN", r.sn, Word{"ON", "OFF"});
    visit("HPF", r.hpf, Word{"ON", "OFF"});
    visit("SPECCAL", r.scales.specCal, Real{});
    visit("PHSDLY", r.phaseDisplay, Word{"PHASE", "DELAY"});
    visit("GRNG", r.scales.gainRange, Real{});
    visit("DRNG", r.scales.delayRange, Real{});
    visit("PRNG", r.scales.phaseRange, PhaseRange{});
    visit("GOFT", r.scales.gainOffset, Real{});
    visit("PLAYWAV", r.playwav, Text{true});
    visit("DEVICE", r.device, Integer{IsValidDeviceIndex});
    visit("FSAMPLE", r.fsample, SampleRate{});
    visit("MAXREC", r.maxrec, Real{});
    visit("AVEENB", r.aveenb, Word{"ON", "OFF"});
    visit("MAXAVEN", r.maxaven, Integer{IsValidAveragingLength});
    visit("WAVN", r.wavn, Integer{IsValidSweepPoints});
    visit("SLOWSWEEP", r.slowSweep, SweepSpeed{});
    visit("GENSOURCE", r.generator.kind, Choice{kSignalKindWords, 8});
    visit("GENFREQ", r.generator.frequencyHz, Real{IsValidSignalFrequency});
    visit("GENLEVEL", r.generator.levelDbfs, Real{IsValidSignalLevel});
    visit("GENPHASE", r.generator.phaseDegrees, Real{IsValidSignalPhase});
    visit("GENFREQ2", r.generator.frequency2Hz, Real{IsValidSignalFrequency});
    visit("GENRATIO", r.generator.ratio, Real{IsValidToneRatio});
    visit("GENCHANNELS", r.generator.channels, Choice{kSignalChannelWords, 4});
    visit("GENDITHER", r.generator.dither, Word{"ON", "OFF"});
    visit("PRECISE", r.precision.on, Word{"ON", "OFF"});
    visit("FSVRMS", r.precision.fullScaleVrms, Real{IsValidFullScaleVolts});
    visit("NETMETHOD", r.network.logSweep, Word{"LOG", "STEPPED"});
    visit("LOGSECONDS", r.network.seconds, Real{IsValidLogSweepSeconds});
    visit("LOGSTART", r.network.startHz, Real{IsValidLogSweepFrequency});
    visit("LOGEND", r.network.endHz, Real{IsValidLogSweepFrequency});
    visit("LOGSMOOTH", r.network.smoothing, Integer{IsSmoothingChoice});
}

}  // namespace velmora2::settings_keys
