// What the precision analysis finds in a record of the two inputs. Levels are against a
// full-scale sine (0 dBFS: a sine whose peaks reach full scale); figures that cannot be had (a
// silent channel, a harmonic beyond the band, no noise at all) are empty.
#pragma once

#include <array>
#include <optional>

namespace velmora2 {

enum class ImdStandard { None, Smpte, Ccif };

struct PrecisionOptions {
    double bandLowHz = 20;
    double bandHighHz = 20000;  // taken down to half the rate when above it
    bool aWeighted = false;     // THD+N and SINAD through the A weighting
    ImdStandard imd = ImdStandard::None;
    double fullScaleVrms = 0;  // the RMS volts of a full-scale sine at the input; 0: no volts
    double calibration = 1;    // the probe's factor on top of it
};

// Two-tone intermodulation: SMPTE/DIN (a low tone and a high one, the sidebands of orders 2 and
// 3 around the high tone, each order's pair summed, against the high tone) or CCIF/DFD (two
// neighbouring tones, the difference tone of order 2 and the pair of order 3, against the sum of
// the two tones).
struct ImdFigures {
    double lowToneHz = 0;
    double highToneHz = 0;
    double secondOrderPercent = 0;
    double thirdOrderPercent = 0;
    double percent = 0;  // the root of the sum of the squares of the two orders
};

struct Volts {
    double rms = 0;
    double dbv = 0;  // re 1 V
    double dbu = 0;  // re 0.7746 V
};

struct ChannelFigures {
    bool measured = false;  // false: digital silence
    double frequencyHz = 0;
    double amplitude = 0;     // peak, full scale = 1
    double phaseDegrees = 0;  // of the fundamental at the record's first sample (cosine phase)
    double levelDbfs = 0;
    // Orders 2 .. 10 in dB below the fundamental; empty beyond the band or half the rate.
    std::array<std::optional<double>, 9> harmonicsDb{};
    std::optional<double> thdPercent;  // the harmonics within the band
    // Within the measurement band: everything but the fundamental and the constant.
    std::optional<double> thdPlusNoisePercent;
    std::optional<double> sinadDb;
    std::optional<double> snrBandDb;  // and the harmonics left out as well
    // Over every bin up to half the rate, as a converter's figures are given: the noise without
    // the fundamental, its harmonics and the constant; ENOB from the signal against the noise and
    // distortion there, referred to a full-scale sine.
    std::optional<double> snrDb;
    std::optional<double> snrADb;
    std::optional<double> enobBits;
    std::optional<double> noiseDbfs;
    std::optional<double> noiseADbfs;
    // The other channel's fundamental as found here, in dB against that channel's own.
    std::optional<double> crosstalkDb;
    std::optional<ImdFigures> imd;
    std::optional<Volts> level;  // with a full-scale voltage
    std::optional<Volts> noise;
};

struct StereoFigures {
    int points = 0;
    int sampleRate = 0;
    double bandLowHz = 0;
    double bandHighHz = 0;
    ChannelFigures left;
    ChannelFigures right;
    // The right input against the left one at the left one's fundamental.
    std::optional<double> gainDb;
    std::optional<double> phaseDegrees;  // -180 < phase <= 180, negative when the right lags
};

}  // namespace velmora2
