// The mode radio buttons of the main window, with the hidden network Start and LINEAR/LOG
// buttons: sets the mode keyword and the engine's display mode, loads the scale spins stored for
// the mode, enables the controls the mode uses, and runs network sweeps on timer 1: it locks the
// panel while one runs, and tells the user what the sweep reports.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "dialogs/DialogView.h"
#include "engine/EngineHandle.h"
#include "measurement/SweepMethod.h"
#include "panel/ChannelPanel.h"
#include "panel/OutputSwitches.h"
#include "panel/PanelMode.h"
#include "panel/ScalePanel.h"
#include "panel/WindowTimer.h"

namespace velmora2 {

class ModePanel final : public SweepListener {
public:
    static constexpr int kTimer1 = 1;

    // The main window's state the handlers read and write; all of it outlives the panel. The mode
    // keyword and the frequency axis are the scale panel's.
    struct Bindings {
        const bool& xlog;                // XLOG: the spectrum's logarithmic axis
        const bool& averagingOn;         // AVEENB
        const int32_t& averagingLength;  // MAXAVEN
        OutputSwitches& outputs;         // the ON boxes: the sweep switches the generator on
        const ChannelPanel& channels;    // the trigger
        SweepMethod& sweep;              // its listener is this panel
        WindowTimer& timer;              // timer 1
        EngineHandle engine;
    };

    ModePanel(DialogView& view, DialogServices& services, ScalePanel& scales,
              const Bindings& bindings);

    PanelMode Mode() const { return scales_.Mode(); }

    void OnScope();      // 1008
    void OnSpectrum();   // 1009
    void OnLissajous();  // 1053
    void OnNetwork();    // 1023
    // The hidden network Start/Stop button 1022: a new sweep from its first point in the current
    // mode.
    void StartSweep();
    // Timer 1 in network mode: the sweep's next step.
    void OnSweepTimer();
    void OnLinear();  // hidden 1011
    void OnLog();     // hidden 1012
    // A new engine: what the current mode draws.
    void SendModeToEngine();
    // The end of a sweep gives back the four mode buttons, and only those.
    void EnableModeButtons();

    // What the sweep tells the user.
    void OnSweepPoint(int, int, double) override {}
    void OnToneMissing(const std::string& name) override;
    void OnToneRefused(const std::string& name, int loadResult) override;
    void OnSweepFailed(const std::string& message) override;
    void OnSweepEnded() override;

private:
    // Restores the panel that a sweep disabled when a mode other than network is chosen.
    void LeaveNetwork();
    void CheckOnly(int modeButton);
    // Oscilloscope and Lissajous share every step but the keyword, engine mode and check.
    void EnterWaveform(PanelMode mode, int32_t engineMode, int modeButton);
    void PushToControls();

    DialogView& view_;
    DialogServices& services_;
    ScalePanel& scales_;
    Bindings state_;
};

}  // namespace velmora2
