// The record and stop buttons and the recording time limit: a recording runs from the record
// button until the stop button, the limit on timer 1, a block that cannot be written, or a full
// file.
#pragma once

#include <memory>

#include "dialogs/DialogView.h"
#include "engine/EngineHandle.h"
#include "panel/WindowTimer.h"

namespace velmora2 {

// Timer 1's period for a recording of at most `maxrecSeconds`: the fraction of a millisecond is
// dropped and the result held to 0 .. INT_MAX; a value that is not finite keeps 30 s.
int RecordingLimitMs(double maxrecSeconds);

class RecordPanel {
public:
    // The main window's state; all of it outlives the panel.
    struct Bindings {
        WindowTimer& timer;  // timer 1
        const double& maxrec;
        EngineHandle engine;
    };

    RecordPanel(DialogView& view, DialogServices& services, const Bindings& bindings);

    void OnRecord();
    void OnStop();
    // Timer 1 fired in a mode without a sweep: the stop button's actions, then the timer goes.
    // A recording already stopped by hand is stopped again, which changes nothing.
    void OnTimeLimit();
    // On the user-interface thread, after the engine ended recording `fileNumber` by itself (the
    // file is finished and closed): back to idle. A write failure is reported in a message box; a
    // full file is told by the picture's recording notice. A recording started since then is
    // left running.
    void OnRecordingEnded(int fileNumber, RecordingEnd why);

    // Between the record button and the end of that recording.
    bool Recording() const { return recording_; }

private:
    DialogView& view_;
    DialogServices& services_;
    Bindings state_;
    bool recording_ = false;
};

}  // namespace velmora2
