// The trigger source radios and the display-on check boxes of the two channels: each click
// updates the main window's flags, passes them to the engine and enables the spins that depend
// on them. Switching off the channel the trigger follows switches the trigger off.
#pragma once

#include <memory>

#include "dialogs/DialogView.h"
#include "engine/EngineHandle.h"

namespace velmora2 {

enum TriggerSource : int { kTriggerSourceOff = 0, kTriggerSourceLeft = 1, kTriggerSourceRight = 2 };

class ChannelPanel {
public:
    // The main window's state; all of it outlives the panel.
    struct Bindings {
        bool& leftShown;
        bool& rightShown;
        const bool& generatorOn;
        bool& triggerOn;
        int& triggerSource;
        EngineHandle engine;
    };

    ChannelPanel(DialogView& view, const Bindings& bindings);

    void OnTriggerOff() { SelectTrigger(kTriggerSourceOff); }
    void OnTriggerLeft() { SelectTrigger(kTriggerSourceLeft); }
    void OnTriggerRight() { SelectTrigger(kTriggerSourceRight); }
    // channelIndex: 0 left, 1 right.
    void OnDisplayOn(int channelIndex);

private:
    void SelectTrigger(int source);
    void SendOutputs();

    DialogView& view_;
    Bindings state_;
};

}  // namespace velmora2
