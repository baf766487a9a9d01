// What the generator plays when it does not play a WAV file: a signal it makes itself. Levels are
// in dB below digital full scale: a sine's peak (0 dBFS touches full scale), the two tones'
// summed peak, and a noise's RMS against that of a full-scale sine.
#pragma once

#include <cstdint>

namespace velmora2 {

enum class SignalKind { WavFile, Sine, TwoTone, Smpte, Ccif, White, Pink, Silence };
enum class SignalChannels { Both, Left, Right, Inverted };

struct GeneratorSignal {
    SignalKind kind = SignalKind::WavFile;
    double frequencyHz = 1000.0;  // the sine, or the first (lower-level) tone of two
    double levelDbfs = -6.0;
    double phaseDegrees = 0.0;     // the sine's start phase
    double frequency2Hz = 7000.0;  // the second tone of two
    double ratio = 4.0;            // two tones: the first one's amplitude over the second's
    SignalChannels channels = SignalChannels::Both;
    bool dither = true;  // TPDF dither of one LSB peak before the 16-bit rounding
    uint32_t seed = 1;   // noise and dither: the same seed gives the same samples
    friend bool operator==(const GeneratorSignal&, const GeneratorSignal&) = default;
};

// The limits of the fields.
inline constexpr double kMinSignalHz = 1.0;
inline constexpr double kMaxSignalRateShare = 0.49;  // of the sample rate
inline constexpr double kMinSignalDbfs = -120.0;
inline constexpr double kMaxSignalDbfs = 0.0;

}  // namespace velmora2
