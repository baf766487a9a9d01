#include "analysis/SpectrumAnalyzer.h"

#include <algorithm>
#include <new>
#include <utility>

#include "analysis/Averaging.h"
#include "analysis/SpectrumMeasurements.h"

namespace velmora2 {

namespace {

// The pieces of the transform's input groups that are loaded ahead: records too short to have
// whole pieces in each eighth have none.
constexpr int kLoadPieceGroups = 512;

int LoadPieces(int n) {
    return n / 8 / kLoadPieceGroups;
}

}  // namespace

SpectrumAnalyzer::SpectrumAnalyzer(int n)
    : window_(n), fft_(n), left_(n), right_(n), loaded_(LoadPieces(n), false) {}

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

void SpectrumAnalyzer::SliceStored(int offset, int count, const std::string& windowName) {
    if (loaded_.empty()) return;
    const int eighth = left_.size / 8;
    const int first = offset % eighth;
    // A slice that is not whole pieces within one eighth of the record: nothing loaded stays.
    if (first % kLoadPieceGroups != 0 || count % kLoadPieceGroups != 0 || first + count > eighth) {
        ForgetLoads();
        return;
    }
    // Input group m is read at m, m + n/8, ..., m + 7 n/8: the slice changed the pieces of its
    // groups, and when it lies in the last eighth, it stored their last inputs.
    const int from = first / kLoadPieceGroups;
    const int to = (first + count) / kLoadPieceGroups;
    for (int p = from; p < to; ++p) loaded_[p] = false;
    // The slice that ends the record leaves its pieces to the record's analysis, which shares
    // them out between the threads; re and im of a record still in analysis are not free.
    if (offset < 7 * eighth || offset + count >= left_.size || RecordInAnalysis()) return;
    const WindowKind kind = WindowKindFromName(windowName);
    if (kind != loadedWindow_) {
        ForgetLoads();
        loadedWindow_ = kind;
    }
    const double* window = window_.Coefficients(windowName);
    for (int p = from; p < to; ++p) {
        for (ChannelSpectrum* channel : {&left_, &right_})
            fft_.LoadInputs(channel->capture.data(), window, channel->re.data(), channel->im.data(),
                            p * kLoadPieceGroups, (p + 1) * kLoadPieceGroups);
        loaded_[p] = true;
    }
}

void SpectrumAnalyzer::ForgetLoads() {
    std::fill(loaded_.begin(), loaded_.end(), false);
}

void SpectrumAnalyzer::ChannelStep(ChannelSpectrum& channel, int step) const {
    if (step == 0) {
        for (size_t p = 0; p < loaded_.size(); ++p) {
            if (loaded_[p]) continue;
            const int from = static_cast<int>(p) * kLoadPieceGroups;
            fft_.LoadInputs(channel.capture.data(), analysis_.window, channel.re.data(),
                            channel.im.data(), from, from + kLoadPieceGroups);
        }
        if (loaded_.empty())
            fft_.LoadInputs(channel.capture.data(), analysis_.window, channel.re.data(),
                            channel.im.data(), 0, channel.size / 8);
        return;
    }
    fft_.FinishStep(step - 1, channel.magnitude.data(), channel.re.data(), channel.im.data());
    if (step < ChannelSteps() - 1) return;
    MeasureChannel(channel, analysis_.sampleRate, analysis_.keepHarmonicCount);
    if (analysis_.averagingOn) AverageChannel(analysis_.averagingCounter, channel);
}

void SpectrumAnalyzer::AnalyseRecord(const std::string& windowName, int sampleRate,
                                     bool averagingOn, int maxAverage, int& averagingCounter,
                                     SideThread* side) {
    BeginRecord(windowName, sampleRate, averagingOn, maxAverage, averagingCounter, 1, side);
}

bool SpectrumAnalyzer::BeginRecord(const std::string& windowName, int sampleRate, bool averagingOn,
                                   int maxAverage, int& averagingCounter, int shares,
                                   SideThread* side) {
    // Made before the channels share the window's table.
    const double* window = window_.Coefficients(windowName);
    if (WindowKindFromName(windowName) != loadedWindow_) ForgetLoads();
    analysis_ = {window,
                 sampleRate,
                 averagingOn,
                 averagingCounter,
                 AverageFinished(averagingOn, averagingCounter),
                 std::clamp(shares, 1, ChannelSteps()),
                 0};
    if (averagingOn) averagingCounter = NextAveragingCounter(averagingCounter, maxAverage);
    return AnalyseNextShare(side);
}

bool SpectrumAnalyzer::AnalyseNextShare(SideThread* side) {
    if (!RecordInAnalysis()) return false;
    // Each channel is windowed as the transform loads it, then measured and averaged. The
    // channels share nothing but read-only tables.
    const int steps = ChannelSteps();
    const int from = analysis_.sharesDone * steps / analysis_.shares;
    const int to = (analysis_.sharesDone + 1) * steps / analysis_.shares;
    const auto share = [&](ChannelSpectrum& channel) {
        for (int step = from; step < to; ++step) ChannelStep(channel, step);
    };
    const auto shareLeft = [&] { share(left_); };
    const auto shareRight = [&] { share(right_); };
    if (side != nullptr && left_.size >= kSideThreadMinimumSize) {
        side->RunBeside(shareLeft, shareRight);
    } else {
        shareLeft();
        shareRight();
    }
    if (from == 0) ForgetLoads();  // re and im no longer hold the loaded inputs alone
    return ++analysis_.sharesDone == analysis_.shares;
}

}  // namespace velmora2
