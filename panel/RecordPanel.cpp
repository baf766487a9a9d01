#include "panel/RecordPanel.h"

#include <climits>
#include <cmath>

#include "panel/ControlIds.h"
#include "panel/PanelMessages.h"

namespace velmora2 {

namespace {

constexpr int kDefaultLimitMs = 30000;

}  // namespace

int RecordingLimitMs(double maxrecSeconds) {
    if (!std::isfinite(maxrecSeconds)) return kDefaultLimitMs;
    const double ms = std::trunc(maxrecSeconds * 1000.0);
    if (ms <= 0.0) return 0;
    if (ms >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(ms);
}

RecordPanel::RecordPanel(DialogView& view, DialogServices& services, const Bindings& bindings)
    : view_(view), services_(services), state_(bindings) {}

void RecordPanel::OnRecord() {
    if (!state_.engine) return;
    if (state_.engine.Ask(&CDSCapture::StartRecording, -1) < 0) {
        services_.MessageBox(msg::kCannotWriteRecording, msg::kApplicationTitle,
                             MessageIcon::Exclamation);
        return;
    }
    recording_ = true;
    view_.Enable(ctl::kModeNetwork, false);
    view_.Enable(ctl::kRecord, false);
    view_.Enable(ctl::kStopRecord, true);
    state_.timer.Set(RecordingLimitMs(state_.maxrec));
}

void RecordPanel::OnStop() {
    state_.engine.Do(&CDSCapture::StopRecording);
    view_.Enable(ctl::kRecord, true);
    view_.Enable(ctl::kStopRecord, false);
    view_.Enable(ctl::kModeNetwork, true);
    recording_ = false;
}

void RecordPanel::OnTimeLimit() {
    OnStop();
    state_.timer.Kill();
}

void RecordPanel::OnRecordingEnded(int fileNumber, RecordingEnd why) {
    const RecordingInfo open = state_.engine.Ask(&CDSCapture::Recording, RecordingInfo{});
    const bool newerRecording = open.open && open.fileNumber != fileNumber;
    if (!newerRecording) OnStop();
    if (why == RecordingEnd::WriteFailed)
        services_.MessageBox(msg::kCannotWriteRecording, msg::kApplicationTitle,
                             MessageIcon::Exclamation);
}

}  // namespace velmora2
