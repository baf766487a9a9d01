// The scale controls of the main window: turns the positions of the time/div, scale, position,
// trigger-level and cursor spins into the scale record and the cursor positions by the current
// mode, keeps the engine's copy current, and loads the spins back from the stored values when a
// mode is entered. It keeps the window's mode keyword and frequency axis, which decide what each
// spin means; the mode panel sets them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "dialogs/DialogView.h"
#include "engine/EngineHandle.h"
#include "panel/InitGates.h"
#include "panel/PanelMode.h"
#include "panel/RangeTables.h"
#include "records/DisplayScales.h"

namespace velmora2 {

class ScalePanel {
public:
    // The main window's state the handlers read and write. All of it belongs to the main window
    // and outlives the panel.
    struct Bindings {
        DisplayScales& scales;
        CursorPositions& cursorX;
        const int32_t& osr;
        const int32_t& activeSampleRate;
        const InitGates& gates;
        EngineHandle engine;
    };

    ScalePanel(DialogView& view, const Bindings& bindings);

    // Shows the label texts on their controls ("1ms/d", "500mV/d" and "500mV/d" until a spin
    // changes them).
    void PushLabels();

    // The change notification of a spin. Returns false when the spin is not one of the scale
    // spins (the caller routes it elsewhere); a scale spin whose gate is still clear is ignored.
    bool OnSpinChanged(int spinId);

    // After OSR or the sample rate changed: the time/div spin keeps its position and takes the
    // value and label of that position in the list now in force. The caller copies the record to
    // the engine.
    void RederiveTimeDiv();

    // After the mode changed: sets the spins and labels of the mode from the stored values.
    // A value on no row leaves its spin and label as they were. The handlers are not run again:
    // every value maps back to itself, so the engine's copy is already current.
    void RestoreSpinsForMode();

    // A new engine: the trigger level, the display scales and the cursors as the panel has them.
    void SendToEngine();

    PanelMode Mode() const { return mode_; }
    // The mode keyword only: entering a mode also restores its spins (RestoreSpinsForMode).
    void SetMode(PanelMode mode) { mode_ = mode; }
    FrequencyAxis Axis() const { return axis_; }
    void SetAxis(FrequencyAxis axis) { axis_ = axis; }

private:
    void OnTimeDiv();
    void OnHorizontalPosition();
    // channelIndex: 0 left, 1 right.
    void OnScale(int channelIndex);
    void OnPosition(int channelIndex);
    void OnTriggerLevel();
    void OnCursor(int which);

    // A table that cannot serve the position asked for moves the spin back to the row it used;
    // that move notifies the spin again, which resolves to the same row.
    void SettleSpin(int spinId, int asked, int resolved);
    void ApplyScales();
    void SendCursors();
    // Sets the spin to the step's position and shows its label; no step leaves both alone.
    void RestoreSpin(int spinId, const std::optional<RangeStep>& step, std::string& label,
                     int labelId);

    bool InMode(PanelMode mode) const;
    bool LogAxis() const;

    DialogView& view_;
    Bindings state_;
    PanelMode mode_ = PanelMode::Wave;
    FrequencyAxis axis_ = FrequencyAxis::Log;
    std::string timeDivLabel_ = "1ms/d";
    std::array<std::string, 2> scaleLabels_{"500mV/d", "500mV/d"};
};

}  // namespace velmora2
