// The trigger source radios and the display-on check boxes of the two channels: each click
// updates the trigger (kept here) or the output switches, passes them to the engine and enables
// the spins that depend on them. Switching off the channel the trigger follows switches the
// trigger off.
#pragma once

#include <memory>

#include "dialogs/DialogView.h"
#include "engine/EngineHandle.h"
#include "panel/OutputSwitches.h"

namespace velmora2 {

enum TriggerSource : int { kTriggerSourceOff = 0, kTriggerSourceLeft = 1, kTriggerSourceRight = 2 };

class ChannelPanel {
public:
    // The main window's state; all of it outlives the panel.
    struct Bindings {
        OutputSwitches& outputs;
        EngineHandle engine;
    };

    ChannelPanel(DialogView& view, const Bindings& bindings);

    void OnTriggerOff() { SelectTrigger(kTriggerSourceOff); }
    void OnTriggerLeft() { SelectTrigger(kTriggerSourceLeft); }
    void OnTriggerRight() { SelectTrigger(kTriggerSourceRight); }
    // channelIndex: 0 left, 1 right.
    void OnDisplayOn(int channelIndex);

    bool TriggerOn() const { return triggerSource_ != kTriggerSourceOff; }
    int TriggerSource() const { return triggerSource_; }
    // A new engine: the trigger source the panel shows.
    void SendTrigger() const;

private:
    void SelectTrigger(int source);

    DialogView& view_;
    Bindings state_;
    int triggerSource_ = kTriggerSourceOff;
};

}  // namespace velmora2
