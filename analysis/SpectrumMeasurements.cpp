#include "analysis/SpectrumMeasurements.h"

#include <algorithm>
#include <cmath>

namespace velmora2 {

namespace {

int HalfWidthAround(int peakBin) {
    if (peakBin >= 12) return 5;
    if (peakBin >= 2) return peakBin / 2 - 1;
    return 0;
}

}  // namespace

MainFrequency FindMainFrequency(const double* magnitudes, int n, int sampleRate) {
    MainFrequency result;
    double peak = magnitudes[0];
    for (int k = 1; k < n / 2; ++k) {
        if (magnitudes[k] > peak) {
            peak = magnitudes[k];
            result.peakBin = k;
        }
    }
    result.halfWidth = HalfWidthAround(result.peakBin);

    double num = 0;
    double den = 0;
    const int first = std::max(result.peakBin - result.halfWidth, 0);
    for (int k = first; k <= result.peakBin + result.halfWidth; ++k) {
        const double power = magnitudes[k] * magnitudes[k];
        num += k * power;
        den += power;
    }
    if (den != 0) result.frequency = (num / den) * sampleRate / n;
    return result;
}

int ListHarmonics(double mainFrequency, int n, int sampleRate, double* harmonicFrequencies) {
    const int entries = n / 2;
    std::fill(harmonicFrequencies, harmonicFrequencies + entries, 0.0);
    const double limit = sampleRate / 2.01;
    double f = 2 * mainFrequency;
    int i = 0;
    while (f < limit && i < entries) {
        harmonicFrequencies[i] = f;
        f += mainFrequency;
        ++i;
    }
    return i < entries ? i : entries - 1;
}

double BandPower(const double* magnitudes, int n, int sampleRate, double frequency, int halfWidth) {
    const int centre = static_cast<int>(n * frequency / sampleRate + 0.5);
    const int first = std::max(centre - halfWidth, 0);
    const int last = std::min(centre + halfWidth, n - 1);
    double sum = 0;
    for (int k = first; k <= last; ++k) sum += magnitudes[k] * magnitudes[k];
    return sum;
}

void MeasureChannel(ChannelSpectrum& channel, int sampleRate, bool keepHarmonicCount) {
    const int n = channel.size;
    const double* m = channel.magnitude.data();
    const MainFrequency main = FindMainFrequency(m, n, sampleRate);
    channel.mainFrequency = main.frequency;
    channel.mainPower = BandPower(m, n, sampleRate, main.frequency, main.halfWidth);

    const int count =
        ListHarmonics(main.frequency, n, sampleRate, channel.harmonicFrequencies.data());
    if (!keepHarmonicCount) channel.harmonicCount = count;
    for (int i = 0; i < channel.harmonicCount; ++i)
        channel.harmonicPowers[i] =
            BandPower(m, n, sampleRate, channel.harmonicFrequencies[i], main.halfWidth);

    for (int k = 0; k < n / 2; ++k) channel.binPowers[k] = BinPower(m, k);
}

int NoiseStartBin(int n, int sampleRate, bool highPass) {
    return highPass ? n * 75 / sampleRate : 0;
}

DistortionFigures MeasureDistortion(const ChannelSpectrum& channel, int sampleRate, bool highPass) {
    DistortionFigures figures;
    const double mainPower = channel.mainPower;
    if (mainPower <= 0) return figures;  // no fundamental: nothing to relate to

    double harmonics = 0;
    for (int i = 0; i < channel.harmonicCount; ++i) harmonics += channel.harmonicPowers[i];
    figures.thd = 100 * std::sqrt(harmonics / mainPower);

    const int n = channel.size;
    double total = 0;
    for (int k = NoiseStartBin(n, sampleRate, highPass); k < n / 2; ++k)
        total += channel.binPowers[k];
    const double noise = total - mainPower;
    if (noise > 0) {
        figures.thdPlusNoise = 100 * std::sqrt(noise / mainPower);
        figures.signalToNoise = -10 * std::log10(noise / mainPower);
    }
    return figures;
}

}  // namespace velmora2
