// The front-panel controls that cannot work without a running capture: recording, hold/run, the
// generator, and the network analysis and its start button. While the sound device is lost they
// are disabled; whatever the other controls' handlers enable meanwhile (entering a mode enables
// the generator box, for one) is kept for later and the control disabled again, so that once
// the device is back every one of them is as the panel's state would have it.
#pragma once

#include <array>

#include "dialogs/DialogView.h"

namespace velmora2 {

class CaptureGate {
public:
    explicit CaptureGate(DialogView& view) : view_(view) {}

    static bool Needs(int controlId);

    bool Closed() const { return closed_; }
    // Keeps each control's state and disables it.
    void Close();
    // After a handler ran while closed: a control it enabled is kept as enabled, and disabled
    // again.
    void Reclose();
    // Gives every control the state kept for it.
    void Open();

private:
    static constexpr int kControlCount = 6;
    static const std::array<int, kControlCount> kControls;

    DialogView& view_;
    bool closed_ = false;
    std::array<bool, kControlCount> kept_{};
};

}  // namespace velmora2
