#include "analysis/SpectrumAnalyzer.h"

#include <new>
#include <utility>

#include "analysis/Averaging.h"
#include "analysis/SpectrumMeasurements.h"

namespace velmora2 {

SpectrumAnalyzer::SpectrumAnalyzer(int n) : window_(n), fft_(n), left_(n), right_(n) {}

bool SpectrumAnalyzer::Resize(int n) {
    try {
        // Everything is built before the old buffers go, so a failure leaves them all in place.
        SpectrumAnalyzer fresh(n);
        *this = std::move(fresh);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void SpectrumAnalyzer::AnalyseRecord(const std::string& windowName, int sampleRate,
                                     bool averagingOn, int maxAverage, int& averagingCounter) {
    // Each channel is transformed right after its window, while the windowed record is still in
    // the caches.
    for (ChannelSpectrum* channel : {&left_, &right_}) {
        window_.ApplyWindow(windowName, channel->capture.data(), channel->windowed.data());
        fft_.ComputeSpectrum(channel->windowed.data(), channel->magnitude.data(), 0,
                             channel->re.data(), channel->im.data());
    }

    const bool keepHarmonicCount = AverageFinished(averagingOn, averagingCounter);
    MeasureChannel(left_, sampleRate, keepHarmonicCount);
    MeasureChannel(right_, sampleRate, keepHarmonicCount);
    if (averagingOn) AverageSpectra(maxAverage, averagingCounter, left_, right_);
}

}  // namespace velmora2
