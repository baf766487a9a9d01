#include "panel/CaptureGate.h"

#include <algorithm>

#include "panel/ControlIds.h"

namespace velmora2 {

const std::array<int, CaptureGate::kControlCount> CaptureGate::kControls = {
    ctl::kRecord,      ctl::kStopRecord,       ctl::kHoldRun,
    ctl::kGeneratorOn, ctl::kNetworkStartStop, ctl::kModeNetwork};

bool CaptureGate::Needs(int controlId) {
    return std::find(kControls.begin(), kControls.end(), controlId) != kControls.end();
}

void CaptureGate::Close() {
    for (size_t i = 0; i < kControls.size(); ++i) {
        kept_[i] = view_.IsEnabled(kControls[i]);
        view_.Enable(kControls[i], false);
    }
    closed_ = true;
}

void CaptureGate::Reclose() {
    if (!closed_) return;
    for (size_t i = 0; i < kControls.size(); ++i) {
        // Nothing a handler can reach while the gate is closed disables one of these.
        if (view_.IsEnabled(kControls[i])) kept_[i] = true;
        view_.Enable(kControls[i], false);
    }
}

void CaptureGate::Open() {
    if (!closed_) return;
    for (size_t i = 0; i < kControls.size(); ++i) view_.Enable(kControls[i], kept_[i]);
    closed_ = false;
}

}  // namespace velmora2
