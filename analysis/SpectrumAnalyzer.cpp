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
                                     bool averagingOn, int maxAverage, int& averagingCounter,
                                     SideThread* side) {
    // Made before the channels share the window's table.
    const double* window = window_.Coefficients(windowName);
    const bool keepHarmonicCount = AverageFinished(averagingOn, averagingCounter);
    // Each channel is windowed as the transform loads it, then measured and averaged. The
    // channels share nothing but read-only tables.
    const auto analyse = [&](ChannelSpectrum& channel) {
        fft_.ComputeWindowedSpectrum(channel.capture.data(), window, channel.magnitude.data(),
                                     channel.re.data(), channel.im.data());
        MeasureChannel(channel, sampleRate, keepHarmonicCount);
        if (averagingOn) AverageChannel(averagingCounter, channel);
    };
    const auto analyseLeft = [&] { analyse(left_); };
    const auto analyseRight = [&] { analyse(right_); };
    if (side != nullptr && left_.size >= kSideThreadMinimumSize) {
        side->RunBeside(analyseLeft, analyseRight);
    } else {
        analyseLeft();
        analyseRight();
    }
    if (averagingOn) averagingCounter = NextAveragingCounter(averagingCounter, maxAverage);
}

}  // namespace velmora2
