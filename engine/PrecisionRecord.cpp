#include "engine/PrecisionRecord.h"

#include <algorithm>
#include <new>

namespace velmora2 {

namespace {

PrecisionOptions OptionsOf(const RuntimeState& settings) {
    PrecisionOptions options;
    options.fullScaleVrms = settings.precision.fullScaleVrms;
    options.calibration = settings.scales.cal;
    return options;
}

}  // namespace

bool PrecisionRecord::Advance(const RuntimeState& settings, int sampleRate, const double* left,
                              const double* right, int frames) {
    if (!settings.precision.on || settings.mode != kModeSpectrum) {
        filled_ = 0;
        if (!settings.precision.on) latest_.reset();
        if (analyzer_) analyzer_->Cancel();
        return true;
    }
    if (!analyzer_) {
        try {
            analyzer_ = std::make_unique<PrecisionAnalyzer>(kPoints);
            left_.resize(kPoints);
            right_.resize(kPoints);
        } catch (const std::bad_alloc&) {
            analyzer_.reset();
            return false;
        }
    }
    if (analyzer_->Busy()) {
        if (analyzer_->Step()) latest_ = analyzer_->Figures();
        return true;
    }
    if (left == nullptr || right == nullptr) return true;
    const int count = std::min(frames, kPoints - filled_);
    std::copy(left, left + count, left_.begin() + filled_);
    std::copy(right, right + count, right_.begin() + filled_);
    filled_ += count;
    if (filled_ == kPoints) {
        filled_ = 0;
        analyzer_->Begin(left_.data(), right_.data(), 1.0 / 32768, sampleRate, OptionsOf(settings));
    }
    return true;
}

}  // namespace velmora2
