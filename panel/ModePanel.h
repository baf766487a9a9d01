// The mode radio buttons of the main window, with the hidden network Start and LINEAR/LOG
// buttons: sets the mode keyword and the engine's display mode, loads the scale spins stored for
// the mode, enables the controls the mode uses, and starts a network sweep.
#pragma once

#include <cstdint>
#include <memory>

#include "dialogs/DialogView.h"
#include "engine/CDSCapture.h"
#include "panel/PanelMode.h"
#include "panel/ScalePanel.h"

namespace velmora2 {

class ModePanel {
public:
    static constexpr int kTimer1 = 1;
    // The first sweep step follows the Start this soon.
    static constexpr int kSweepStartDelayMs = 10;
    // Record length of a sweep: one frame is one captured block.
    static constexpr int32_t kSweepRecordLength = 2048;

    // The main window's state the handlers read and write; all of it outlives the panel.
    struct Bindings {
        PanelMode& modeKeyword;
        FrequencyAxis& axisKeyword;
        const bool& xlog;                // XLOG: the spectrum's logarithmic axis
        const bool& averagingOn;         // AVEENB
        const int32_t& averagingLength;  // MAXAVEN
        const bool& leftOn;              // display-on check boxes 1078, 1079
        const bool& rightOn;
        bool& generatorOn;  // check box 1080
        const bool& triggerOn;
        bool& sweepRunning;
        int& sweepIndex;
        int& timerId;
        // Read at every call, so the panel follows the engine being replaced or released.
        const std::unique_ptr<CDSCapture>& engine;
    };

    ModePanel(DialogView& view, DialogServices& services, ScalePanel& scales,
              const Bindings& bindings);

    void OnScope();      // 1008
    void OnSpectrum();   // 1009
    void OnLissajous();  // 1053
    void OnNetwork();    // 1023
    // The hidden network Start/Stop button 1022: a new sweep from index -1 in the current mode.
    void StartSweep();
    void OnLinear();  // hidden 1011
    void OnLog();     // hidden 1012
    // The end of a sweep gives back the four mode buttons, and only those.
    void EnableModeButtons();

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
