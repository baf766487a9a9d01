// The engine operations of the user-interface thread: stores into the control record and
// requests to the worker.
#include <algorithm>
#include <mutex>

#include "engine/CDSCapture.h"
#include "engine/RecordLength.h"

namespace velmora2 {

void CDSCapture::SetMode(int32_t mode) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.mode = mode; });
}

void CDSCapture::ToggleRun() {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests& r) {
        if (s.run) {
            s.run = false;
        } else {
            r.clearSingleShot = true;
            s.run = true;
        }
    });
}

void CDSCapture::SetLogSweepProgress(int32_t percent) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.logSweepPercent = percent; });
}

void CDSCapture::ResetSweep() {
    ShowLogSweep(nullptr);
    worker_->control.Update([&](RuntimeState& s, WorkerRequests& r) {
        s.run = true;
        r.resetSweep = true;
        // A frozen single shot would make every sweep point measure the same frame.
        r.clearSingleShot = true;
    });
}

void CDSCapture::SetTriggerLevel(int32_t level) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.triggerLevel = level; });
}

void CDSCapture::SetTriggerSource(int source) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) {
        s.triggerEnabled = source != 0;
        if (source != 0) s.triggerSourceLeft = source == 1;
    });
}

void CDSCapture::SetTriggerMode(bool rising, bool repeat) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests& r) {
        s.triggerRising = rising;
        s.triggerRepeat = repeat;
        if (repeat) r.clearSingleShot = true;
    });
}

Status CDSCapture::SetRecordLength(int32_t length) {
    if (!IsValidRecordLength(length)) return 1;
    // No worker yet: nothing can race, and the first block should start a record, not be spent
    // on the change. (A worker left running still owns the pipeline.)
    if (!thread_.joinable() && !workerLeftRunning_) {
        worker_->pipeline.ResizeRecord(length);
        return kOk;
    }
    worker_->control.Update([&](RuntimeState&, WorkerRequests& r) { r.recordLength = length; });
    return kOk;
}

void CDSCapture::SetChannelDelay(int32_t delay) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.channelDelay = delay; });
}

Status CDSCapture::SetOversampling(int32_t factor) {
    if (factor != 1 && factor != 2 && factor != 4) return 1;
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.oversampling = factor; });
    return kOk;
}

void CDSCapture::SetLogAxis(bool on) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.logAxis = on; });
}

void CDSCapture::SetWindowFunction(const std::string& name) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.windowFunction = name; });
}

void CDSCapture::SetDifferenceUnit(bool seconds) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.differenceUnit = seconds; });
}

void CDSCapture::SetDelayDisplay(bool on) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.delayDisplay = on; });
}

void CDSCapture::SetAdcRange(bool on) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.adcRangeShown = on; });
}

void CDSCapture::SetMeasurements(bool mainFrequency, bool thd, bool thdPlusNoise,
                                 bool signalToNoise, bool highPass) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) {
        s.measurements = {mainFrequency, thd, thdPlusNoise, signalToNoise, highPass};
    });
}

void CDSCapture::SetPrecisionReadout(const PrecisionReadoutSettings& precision) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.precision = precision; });
}

void CDSCapture::SetAveraging(bool on, int32_t length) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests& r) {
        s.averagingOn = on;
        s.averagingLength = length;
        r.setAveragingCounter = true;
        r.averagingCounter = on ? 1 : 0;
    });
}

void CDSCapture::SetSweepPoints(int32_t points) {
    // The longest frequency list, and the result arrays, end there.
    const int32_t kept = std::clamp(points, 1, kLongestSweep);
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.sweepPoints = kept; });
}

void CDSCapture::SetSlowSweep(bool on) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.slowSweep = on; });
}

void CDSCapture::SetPeakSearch(bool on) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.peakSearch = on; });
}

void CDSCapture::StartSweepPoint(int32_t index) {
    worker_->control.Update([&](RuntimeState&, WorkerRequests& r) {
        r.startSweepPoint = true;
        r.sweepPointIndex = index;
    });
}

void CDSCapture::ApplyDisplayScales(const DisplayScales& scales) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) { s.scales = scales; });
}

void CDSCapture::SetCursors(const std::array<int32_t, kEngineCursorCount>& positions) {
    worker_->control.Update([&](RuntimeState& s, WorkerRequests&) {
        for (int i = 0; i < kEngineCursorCount; ++i) {
            s.cursors[i] = positions[i];
            if (positions[i] != 0) s.cursorShown[i] = true;
        }
    });
}

}  // namespace velmora2
