#include "precision/PrecisionAnalyzer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "precision/AWeighting.h"

namespace velmora2 {

namespace {

constexpr int kHighestHarmonic = 10;
static_assert(kHighestHarmonic <= kMostFittedTones);
// A tone's bins: its main lobe and a bin's margin for where between bins it falls.
constexpr double kLobeBins = CosineSumWindow::kMainLobeBins + 1;
// Below this the lowest bins hold the constant's lobe.
constexpr int kLowestToneBin = 4;
// Tones nearer than this to another part of the fit leak into each other's lobes, so their
// frequencies are refined once more with the others taken out.
constexpr double kNeighbourBins = 2 * kLobeBins;

double Db(double ratio) {
    return 20 * std::log10(ratio);
}

int LargestBin(const std::vector<double>& power, int from, int to) {
    int best = from;
    for (int k = from; k < to; ++k)
        if (power[k] > power[best]) best = k;
    return best;
}

// The peak between bins from the log powers of the three bins around it.
double InterpolatedBin(const std::vector<double>& power, int k) {
    if (!(power[k - 1] > 0 && power[k] > 0 && power[k + 1] > 0)) return k;
    const double a = std::log(power[k - 1]), b = std::log(power[k]), c = std::log(power[k + 1]);
    const double curvature = a - 2 * b + c;
    return curvature < 0 ? k + std::clamp(0.5 * (a - c) / curvature, -0.5, 0.5) : k;
}

Volts VoltsOf(double rms) {
    return Volts{rms, Db(rms), Db(rms / 0.7745966692414834)};
}

// What each bin of a channel's spectrum holds: the main lobe of a signal part (the constant, the
// fundamental, a second test tone), of a distortion product, or noise.
enum BinKind : uint8_t { kNoiseBin, kDistortionBin, kSignalBin };

void MarkLobe(std::vector<uint8_t>& kinds, double centre, BinKind kind) {
    const int last = static_cast<int>(kinds.size()) - 1;
    const int from = std::max(0, static_cast<int>(std::floor(centre - kLobeBins)) + 1);
    const int to = std::min(last, static_cast<int>(std::ceil(centre + kLobeBins)) - 1);
    for (int k = from; k <= to; ++k)
        if (std::fabs(k - centre) < kLobeBins) kinds[k] = std::max<uint8_t>(kinds[k], kind);
}

struct BandPowers {
    double residual = 0;  // everything but the signal's lobes, in full-scale power
    double noise = 0;     // everything but the signal's and the distortion's lobes
    double noiseA = 0;    // the same A-weighted
    double residualA = 0;
};

// Sums the band's bins; the lobes' bins are filled in at the noise's mean density.
BandPowers SumBand(const std::vector<double>& power, const std::vector<double>& aWeighting,
                   const std::vector<uint8_t>& kinds, double scale, int from, int to) {
    double residual = 0, noise = 0, noiseA = 0, residualA = 0, filledWeight = 0, signalWeight = 0;
    int residualBins = 0, noiseBins = 0;
    for (int k = from; k <= to; ++k) {
        const double weight = aWeighting[k];
        if (kinds[k] == kSignalBin) {
            filledWeight += weight;
            signalWeight += weight;
            continue;
        }
        residual += power[k];
        residualA += power[k] * weight;
        ++residualBins;
        if (kinds[k] == kDistortionBin) {
            filledWeight += weight;
            continue;
        }
        noise += power[k];
        noiseA += power[k] * weight;
        ++noiseBins;
    }
    const int bins = to - from + 1;
    const double density = noiseBins > 0 ? noise / noiseBins : 0;
    BandPowers band;
    band.residual = scale * (residual + density * (bins - residualBins));
    band.noise = scale * (noise + density * (bins - noiseBins));
    band.noiseA = scale * (noiseA + density * filledWeight);
    band.residualA = scale * (residualA + density * signalWeight);
    return band;
}

double PositiveOr(double value, double fallback) {
    return value > 0 ? value : fallback;
}

}  // namespace

PrecisionAnalyzer::PrecisionAnalyzer(int n)
    : window_(n), fft_(n, TwiddleAngles::Exact), magnitude_(n), re_(n), im_(n) {
    for (Channel* channel : {&left_, &right_}) {
        channel->windowed.resize(n);
        channel->power.resize(n / 2 + 1);
        channel->harmonicFrequencies.reserve(kHighestHarmonic);
    }
    binKinds_.resize(n / 2 + 1);
    aWeighting_.resize(n / 2 + 1);
}

void PrecisionAnalyzer::Begin(const double* left, const double* right, double scale, int sampleRate,
                              const PrecisionOptions& options) {
    const std::vector<double>& w = window_.Samples();
    for (int m = 0; m < Size(); ++m) {
        left_.windowed[m] = w[m] * (scale * left[m]);
        right_.windowed[m] = w[m] * (scale * right[m]);
    }
    if (sampleRate != weightedRate_) {
        for (int k = 0; k <= Size() / 2; ++k)
            aWeighting_[k] = AWeightingPowerGain(static_cast<double>(k) * sampleRate / Size());
        weightedRate_ = sampleRate;
    }
    options_ = options;
    figures_ = StereoFigures{};
    figures_.points = Size();
    figures_.sampleRate = sampleRate;
    figures_.bandLowHz = std::max(0.0, options.bandLowHz);
    figures_.bandHighHz = std::min(options.bandHighHz, 0.5 * sampleRate);
    step_ = 0;
}

bool PrecisionAnalyzer::Step() {
    switch (step_) {
        case 0:
            Transform(left_);
            break;
        case 1:
            Measure(left_, figures_.left);
            break;
        case 2:
            Transform(right_);
            break;
        case 3:
            Measure(right_, figures_.right);
            break;
        case 4:
            Between();
            break;
        default:
            return true;
    }
    ++step_;
    return step_ == kSteps;
}

void PrecisionAnalyzer::Transform(Channel& channel) {
    fft_.ComputeSpectrum(channel.windowed.data(), magnitude_.data(), 0, re_.data(), im_.data());
    for (int k = 0; k <= Size() / 2; ++k) channel.power[k] = re_[k] * re_[k] + im_[k] * im_[k];
}

void PrecisionAnalyzer::Measure(Channel& channel, ChannelFigures& figures) {
    const int n = Size();
    const double binHz = static_cast<double>(figures_.sampleRate) / n;
    const std::vector<double>& power = channel.power;
    const int top = n / 2 - static_cast<int>(kLobeBins);
    const int peak = LargestBin(power, kLowestToneBin, top);
    channel.harmonicFrequencies.clear();
    channel.fit = ToneFit{};
    if (!(power[peak] > 0)) return;

    // The fundamental between bins, then with its harmonics below half the rate.
    const ToneFit nothing;
    double f = RefinePeak(channel.windowed, window_, InterpolatedBin(power, peak) / n, nothing, -1);
    const auto harmonicsOf = [&](double fundamental) {
        channel.harmonicFrequencies.clear();
        for (int order = 1; order <= kHighestHarmonic && order * fundamental * n < top; ++order)
            channel.harmonicFrequencies.push_back(order * fundamental);
        return FitTones(channel.windowed, window_, channel.harmonicFrequencies);
    };
    channel.fit = harmonicsOf(f);
    if (channel.fit.solved && f * n < kNeighbourBins) {
        f = RefinePeak(channel.windowed, window_, f, channel.fit, 0);
        channel.fit = harmonicsOf(f);
    }
    if (!channel.fit.solved) return;
    const FittedTone& fundamental = channel.fit.tones[0];
    const double amplitude = fundamental.Amplitude();
    if (!(amplitude > 0)) return;

    figures.measured = true;
    figures.frequencyHz = f * figures_.sampleRate;
    figures.amplitude = amplitude;
    figures.phaseDegrees = fundamental.Phase() * 180 / std::numbers::pi;
    figures.levelDbfs = Db(amplitude);

    std::vector<uint8_t>& kinds = binKinds_;
    std::fill(kinds.begin(), kinds.end(), kNoiseBin);
    MarkLobe(kinds, 0.0, kSignalBin);
    MarkLobe(kinds, f * n, kSignalBin);
    double harmonicPower = 0;
    for (int order = 2; order <= channel.fit.count; ++order) {
        const FittedTone& harmonic = channel.fit.tones[order - 1];
        MarkLobe(kinds, harmonic.frequency * n, kDistortionBin);
        if (harmonic.frequency * figures_.sampleRate > figures_.bandHighHz) continue;
        const double a = harmonic.Amplitude();
        harmonicPower += a * a;
        if (a > 0) figures.harmonicsDb[order - 2] = Db(a / amplitude);
    }
    figures.thdPercent = 100 * std::sqrt(harmonicPower) / amplitude;

    if (options_.imd != ImdStandard::None) {
        // The second tone: above five times the first for SMPTE/DIN, the largest one beside it
        // for CCIF/DFD.
        const bool smpte = options_.imd == ImdStandard::Smpte;
        const double first = f * n;
        const int from = smpte ? static_cast<int>(5 * first + kLobeBins) : kLowestToneBin;
        int second = -1;
        for (int k = std::max(from, kLowestToneBin); k < top; ++k)
            if (std::fabs(k - first) >= 2 * kLobeBins && (second < 0 || power[k] > power[second]))
                second = k;
        if (second > 0 && power[second] > 0) {
            const double f2 = RefinePeak(channel.windowed, window_,
                                         InterpolatedBin(power, second) / n, nothing, -1);
            const double low = std::min(f, f2), high = std::max(f, f2);
            std::array<double, kMostFittedTones> tones = {low, high};
            int toneCount = 2;
            // Products: SMPTE high -+ low, high -+ 2 low; CCIF high - low, 2 low - high, 2 high -
            // low.
            const std::array<double, 4> smpteProducts = {high - low, high + low, high - 2 * low,
                                                         high + 2 * low};
            const std::array<double, 3> ccifProducts = {high - low, 2 * low - high, 2 * high - low};
            const std::span<const double> products = smpte ? std::span<const double>(smpteProducts)
                                                           : std::span<const double>(ccifProducts);
            std::array<int, 4> productIndex{};
            for (size_t j = 0; j < products.size(); ++j) {
                const double p = products[j];
                const bool usable = p * n >= kLobeBins && p * n < top;
                productIndex[j] = usable ? toneCount : -1;
                if (usable) tones[toneCount++] = p;
            }
            const ToneFit imdFit =
                FitTones(channel.windowed, window_, std::span(tones.data(), toneCount));
            if (imdFit.solved) {
                const auto at = [&](size_t product) {
                    return productIndex[product] < 0
                               ? 0.0
                               : imdFit.tones[productIndex[product]].Amplitude();
                };
                const double lowAmplitude = imdFit.tones[0].Amplitude();
                const double highAmplitude = imdFit.tones[1].Amplitude();
                ImdFigures imd;
                imd.lowToneHz = low * figures_.sampleRate;
                imd.highToneHz = high * figures_.sampleRate;
                const double reference = smpte ? highAmplitude : lowAmplitude + highAmplitude;
                if (reference > 0) {
                    imd.secondOrderPercent = 100 * (smpte ? at(0) + at(1) : at(0)) / reference;
                    imd.thirdOrderPercent =
                        100 * (smpte ? at(2) + at(3) : at(1) + at(2)) / reference;
                    imd.percent = std::hypot(imd.secondOrderPercent, imd.thirdOrderPercent);
                    figures.imd = imd;
                }
                MarkLobe(kinds, f2 * n, kSignalBin);
                for (size_t j = 2; j < tones.size(); ++j)
                    MarkLobe(kinds, tones[j] * n, kDistortionBin);
            }
        }
    }

    // THD+N and SINAD within the measurement band; S/N, ENOB and the noise over every bin up to
    // half the rate (the constant's lobe is left out as a signal part).
    const double scale = 2.0 / (static_cast<double>(n) * window_.SumOfSquares());
    const double signal = 0.5 * amplitude * amplitude;
    const int from = std::max(1, static_cast<int>(std::ceil(figures_.bandLowHz / binHz)));
    const int to = std::min(n / 2 - 1, static_cast<int>(std::floor(figures_.bandHighHz / binHz)));
    if (from <= to) {
        const BandPowers band = SumBand(power, aWeighting_, kinds, scale, from, to);
        const double residual = options_.aWeighted ? band.residualA : band.residual;
        if (residual > 0) {
            figures.thdPlusNoisePercent = 100 * std::sqrt(residual / signal);
            figures.sinadDb = 10 * std::log10(signal / residual);
        }
        if (band.noise > 0) figures.snrBandDb = 10 * std::log10(signal / band.noise);
    }
    const BandPowers whole = SumBand(power, aWeighting_, kinds, scale, 1, n / 2 - 1);
    if (whole.residual > 0) {
        // Against a full-scale sine, so that a converter's bits do not depend on the test level.
        figures.enobBits =
            (10 * std::log10(signal / whole.residual) - figures.levelDbfs - 1.76) / 6.02;
    }
    if (whole.noise > 0) {
        figures.snrDb = 10 * std::log10(signal / whole.noise);
        figures.noiseDbfs = 10 * std::log10(whole.noise / 0.5);
    }
    if (whole.noiseA > 0) {
        figures.snrADb = 10 * std::log10(signal / whole.noiseA);
        figures.noiseADbfs = 10 * std::log10(whole.noiseA / 0.5);
    }
    if (options_.fullScaleVrms > 0) {
        const double fullScale = options_.fullScaleVrms * options_.calibration;
        figures.level = VoltsOf(amplitude * fullScale);
        figures.noise = VoltsOf(std::sqrt(PositiveOr(whole.noise, 0) / 0.5) * fullScale);
    }
}

void PrecisionAnalyzer::Between() {
    ChannelFigures& left = figures_.left;
    ChannelFigures& right = figures_.right;
    if (!left.measured || !right.measured) return;
    // A channel's fundamental at the other one's frequency: its own when both are the same tone,
    // else fitted there (with the other's harmonics when they are near enough to leak).
    const auto at = [this](const Channel& channel, const Channel& other) {
        const double bins =
            Size() * std::fabs(channel.harmonicFrequencies[0] - other.harmonicFrequencies[0]);
        if (bins < 1e-3) return channel.fit.tones[0];
        std::span<const double> frequencies = other.harmonicFrequencies;
        if (Size() * frequencies[0] >= kNeighbourBins) frequencies = frequencies.first(1);
        const ToneFit fit = FitTones(channel.windowed, window_, frequencies);
        return fit.solved ? fit.tones[0] : FittedTone{};
    };
    const FittedTone rightAtLeft = at(right_, left_);
    const FittedTone leftAtRight = at(left_, right_);
    if (leftAtRight.Amplitude() > 0)
        left.crosstalkDb = Db(leftAtRight.Amplitude() / right.amplitude);
    if (rightAtLeft.Amplitude() > 0) {
        right.crosstalkDb = Db(rightAtLeft.Amplitude() / left.amplitude);
        figures_.gainDb = right.crosstalkDb;
        double phase = (rightAtLeft.Phase() - left_.fit.tones[0].Phase()) * 180 / std::numbers::pi;
        phase = std::remainder(phase, 360.0);
        figures_.phaseDegrees = phase <= -180 ? phase + 360 : phase;
    }
}

StereoFigures AnalysePrecisely(std::span<const double> left, std::span<const double> right,
                               double scale, int sampleRate, const PrecisionOptions& options) {
    PrecisionAnalyzer analyzer(static_cast<int>(left.size()));
    analyzer.Begin(left.data(), right.data(), scale, sampleRate, options);
    while (!analyzer.Step()) {
    }
    return analyzer.Figures();
}

}  // namespace velmora2
