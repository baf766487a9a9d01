#include "engine/ModeData.h"

namespace velmora2 {

void CaptureModeData(const SampleBlock& samples, const RuntimeState& settings, int sampleRate,
                     ModeData& out) {
    out.mode = settings.mode;
    out.sampleRate = sampleRate;
    out.triggerIndex = samples.triggerIndex;
    out.oversampling = settings.oversampling;
    out.cal = settings.scales.cal;
    out.specCal = settings.scales.specCal;
    out.fftSize = samples.RecordLength();
    if (settings.mode == kModeSpectrum) {
        const int half = samples.RecordLength() / 2;
        const auto& l = samples.records.Left().magnitude;
        const auto& r = samples.records.Right().magnitude;
        out.left.assign(l.begin(), l.begin() + half);
        out.right.assign(r.begin(), r.begin() + half);
    } else {
        out.left.assign(samples.displayL.begin(), samples.displayL.end());
        out.right.assign(samples.displayR.begin(), samples.displayR.end());
    }
}

}  // namespace velmora2
