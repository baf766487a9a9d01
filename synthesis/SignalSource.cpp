#include "synthesis/SignalSource.h"

#include <cmath>
#include <numbers>
#include <numeric>

namespace velmora2 {

namespace {

constexpr int64_t kNoiseLoopSeconds = 10;
// A dithered tone's loop repeats its dither with it: a loop of a few periods would turn the dither
// into lines at the tone's harmonics. Repeated over at least this long, its lines lie closer
// together than any record can tell apart, and it is noise again.
constexpr int64_t kDitheredLoopSeconds = 10;
constexpr int64_t kCentiHertz = 100;

double Amplitude(double dbfs) {
    return std::pow(10.0, dbfs / 20.0);
}

bool IsTwoTone(SignalKind kind) {
    return kind == SignalKind::TwoTone || kind == SignalKind::Smpte || kind == SignalKind::Ccif;
}

bool IsNoise(SignalKind kind) {
    return kind == SignalKind::White || kind == SignalKind::Pink;
}

// Frames holding a whole number of periods of a tone of `centiHz` hundredths of a hertz.
int64_t PeriodFrames(int64_t centiHz, int sampleRate) {
    const int64_t loop = kCentiHertz * sampleRate;
    return loop / std::gcd(centiHz, loop);
}

int64_t CentiHertz(double hz) {
    return std::llround(hz * kCentiHertz);
}

void Place(SignalChannels channels, double x, double& left, double& right) {
    left = channels == SignalChannels::Right ? 0.0 : x;
    right = channels == SignalChannels::Left ? 0.0 : channels == SignalChannels::Inverted ? -x : x;
}

std::vector<int16_t> RenderNoise(const GeneratorSignal& signal, int sampleRate) {
    const int64_t frames = LoopFrames(signal, sampleRate);
    std::mt19937 random(signal.seed);
    std::normal_distribution<double> gauss;
    PinkFilter pink(sampleRate);
    const bool shaped = signal.kind == SignalKind::Pink;
    // The filter's slowest section settles within a second.
    if (shaped)
        for (int i = 0; i < sampleRate; ++i) pink.Next(gauss(random));
    std::vector<double> noise(static_cast<size_t>(frames));
    double power = 0.0;
    for (double& x : noise) {
        const double white = gauss(random);
        x = shaped ? pink.Next(white) : white;
        power += x * x;
    }
    // The loop's RMS is that of a sine of the level.
    const double rms = std::sqrt(power / static_cast<double>(frames));
    const double scale = rms > 0.0 ? Amplitude(signal.levelDbfs) / std::numbers::sqrt2 / rms : 0.0;
    SampleQuantizer left(signal.dither, signal.seed + 1);
    SampleQuantizer right(signal.dither, signal.seed + 2);
    std::vector<int16_t> samples(2 * noise.size());
    for (size_t i = 0; i < noise.size(); ++i) {
        double l = 0.0;
        double r = 0.0;
        Place(signal.channels, noise[i] * scale, l, r);
        samples[2 * i] = left(l);
        samples[2 * i + 1] = right(r);
    }
    return samples;
}

}  // namespace

GeneratorSignal ResolvePreset(const GeneratorSignal& signal) {
    GeneratorSignal resolved = signal;
    if (signal.kind == SignalKind::Smpte) {
        resolved.frequencyHz = 60.0;
        resolved.frequency2Hz = 7000.0;
        resolved.ratio = 4.0;
    } else if (signal.kind == SignalKind::Ccif) {
        resolved.frequencyHz = 19000.0;
        resolved.frequency2Hz = 20000.0;
        resolved.ratio = 1.0;
    }
    return resolved;
}

const char* SignalProblem(const GeneratorSignal& signal, int sampleRate) {
    const GeneratorSignal s = ResolvePreset(signal);
    if (sampleRate <= 0) return "there is no sample rate";
    if (!(s.levelDbfs >= kMinSignalDbfs && s.levelDbfs <= kMaxSignalDbfs))
        return "the level is outside -120 .. 0 dBFS";
    const double highest = kMaxSignalRateShare * sampleRate;
    const auto outside = [highest](double hz) { return !(hz >= kMinSignalHz && hz <= highest); };
    if ((s.kind == SignalKind::Sine || IsTwoTone(s.kind)) && outside(s.frequencyHz))
        return "the frequency is outside 1 Hz .. 0.49 of the sample rate";
    if (IsTwoTone(s.kind) && outside(s.frequency2Hz))
        return "the second frequency is outside 1 Hz .. 0.49 of the sample rate";
    if (IsTwoTone(s.kind) && !(s.ratio > 0.0 && s.ratio <= 1000.0))
        return "the ratio of the two tones is outside 0 .. 1000";
    if (!std::isfinite(s.phaseDegrees)) return "the phase is not a number";
    return nullptr;
}

double PlayedFrequency(double hz) {
    return static_cast<double>(CentiHertz(hz)) / kCentiHertz;
}

double SinePhaseAfter(const GeneratorSignal& sine, int sampleRate, uint64_t frames) {
    const int64_t loop = kCentiHertz * sampleRate;
    const int64_t centiHz = CentiHertz(sine.frequencyHz);
    // Whole periods drop out first, so the product stays far inside 64 bits.
    const auto within =
        static_cast<int64_t>(frames % static_cast<uint64_t>(PeriodFrames(centiHz, sampleRate)));
    const double moved = static_cast<double>(within * centiHz % loop) / static_cast<double>(loop);
    const double phase = sine.phaseDegrees / 360.0 + moved;
    return phase - std::floor(phase);
}

bool GlidesFrom(const GeneratorSignal& playing, const GeneratorSignal& next) {
    GeneratorSignal same = next;
    same.frequencyHz = playing.frequencyHz;
    same.phaseDegrees = playing.phaseDegrees;
    return playing.kind == SignalKind::Sine && same == playing;
}

int64_t LoopFrames(const GeneratorSignal& signal, int sampleRate) {
    const GeneratorSignal s = ResolvePreset(signal);
    if (IsNoise(s.kind)) return kNoiseLoopSeconds * sampleRate;
    if (s.kind != SignalKind::Sine && !IsTwoTone(s.kind)) return sampleRate;
    int64_t periods = PeriodFrames(CentiHertz(s.frequencyHz), sampleRate);
    if (IsTwoTone(s.kind))
        periods = std::lcm(periods, PeriodFrames(CentiHertz(s.frequency2Hz), sampleRate));
    if (!s.dither) return periods;
    const int64_t least = kDitheredLoopSeconds * sampleRate;
    return (least + periods - 1) / periods * periods;
}

ToneSource::ToneSource(const GeneratorSignal& signal, int sampleRate)
    : signal_(ResolvePreset(signal)), sampleRate_(sampleRate) {
    const double peak = Amplitude(signal_.levelDbfs);
    if (signal_.kind == SignalKind::Sine) {
        amplitude1_ = peak;
        phase1_ = signal_.phaseDegrees / 360.0 - std::floor(signal_.phaseDegrees / 360.0);
    } else if (IsTwoTone(signal_.kind)) {
        amplitude2_ = peak / (1.0 + signal_.ratio);
        amplitude1_ = signal_.ratio * amplitude2_;
    }
    SetFrequency(signal_.frequencyHz);
    step2_ = PlayedFrequency(signal_.frequency2Hz) / sampleRate_;
}

void ToneSource::SetFrequency(double hz) {
    step1_ = PlayedFrequency(hz) / sampleRate_;
}

double ToneSource::Sample() {
    constexpr double kTwoPi = 2.0 * std::numbers::pi;
    const double x =
        amplitude1_ * std::sin(kTwoPi * phase1_) + amplitude2_ * std::sin(kTwoPi * phase2_);
    phase1_ += step1_;
    phase1_ -= std::floor(phase1_);
    phase2_ += step2_;
    phase2_ -= std::floor(phase2_);
    return x;
}

void ToneSource::Next(double& left, double& right) {
    Place(signal_.channels, Sample(), left, right);
}

int16_t SampleQuantizer::operator()(double fullScaleUnits) {
    double counts = fullScaleUnits * kFullScaleCounts;
    if (dither_) counts += uniform_(random_) + uniform_(random_);
    const double rounded = std::nearbyint(counts);
    if (!(rounded > -32768.0)) return -32768;
    if (rounded > 32767.0) return 32767;
    return static_cast<int16_t>(rounded);
}

std::vector<int16_t> RenderLoop(const GeneratorSignal& signal, int sampleRate) {
    if (IsNoise(signal.kind)) return RenderNoise(signal, sampleRate);
    const int64_t frames = LoopFrames(signal, sampleRate);
    std::vector<int16_t> samples(static_cast<size_t>(2 * frames), 0);
    // Silence is digital zero, dither or not: the floor a measurement of the inputs starts from.
    if (signal.kind == SignalKind::Silence || signal.kind == SignalKind::WavFile) return samples;
    ToneSource tone(signal, sampleRate);
    SampleQuantizer left(signal.dither, signal.seed + 1);
    SampleQuantizer right(signal.dither, signal.seed + 2);
    for (int64_t i = 0; i < frames; ++i) {
        double l = 0.0;
        double r = 0.0;
        tone.Next(l, r);
        samples[2 * i] = left(l);
        samples[2 * i + 1] = right(r);
    }
    return samples;
}

}  // namespace velmora2
