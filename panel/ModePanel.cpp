#include "panel/ModePanel.h"

#include "dialogs/CDlgWarnWav.h"
#include "panel/ControlIds.h"
#include "panel/GeneratorLoadReport.h"
#include "panel/PanelMessages.h"
#include "panel/ViewModes.h"

namespace velmora2 {

namespace {

// What a sweep disables besides the mode buttons; leaving network analysis enables them again
// (the spins under the rules of LeaveNetwork).
constexpr int kSweepSpins[] = {ctl::kHorizontalPositionSpin,
                               ctl::kTimeDivSpin,
                               ctl::kLeftScaleSpin,
                               ctl::kLeftPositionSpin,
                               ctl::kRightScaleSpin,
                               ctl::kRightPositionSpin,
                               ctl::kVolumeSpin,
                               ctl::kTriggerLevelSpin,
                               ctl::kCursor1Spin,
                               ctl::kCursor2Spin};
constexpr int kSweepButtons[] = {ctl::kTriggerOff, ctl::kTriggerLeft, ctl::kTriggerRight,
                                 ctl::kLeftOn,     ctl::kRightOn,     ctl::kGeneratorOn,
                                 ctl::kHoldRun,    ctl::kOptions,     ctl::kRecord};

}  // namespace

ModePanel::ModePanel(DialogView& view, DialogServices& services, ScalePanel& scales,
                     const Bindings& bindings)
    : view_(view), services_(services), scales_(scales), state_(bindings) {}

void ModePanel::LeaveNetwork() {
    if (scales_.Mode() != PanelMode::Network) return;
    const bool linear = !state_.xlog;
    view_.Enable(ctl::kHorizontalPositionSpin, linear);
    view_.Enable(ctl::kTimeDivSpin, linear);
    view_.Enable(ctl::kLeftScaleSpin, state_.outputs.LeftShown());
    view_.Enable(ctl::kLeftPositionSpin, state_.outputs.LeftShown());
    view_.Enable(ctl::kRightScaleSpin, state_.outputs.RightShown());
    view_.Enable(ctl::kRightPositionSpin, state_.outputs.RightShown());
    view_.Enable(ctl::kVolumeSpin, true);
    view_.Enable(ctl::kTriggerLevelSpin, state_.channels.TriggerOn());
    for (const int id : kSweepButtons) view_.Enable(id, true);
    view_.Enable(ctl::kStopRecord, false);
    state_.timer.Kill();
}

void ModePanel::CheckOnly(int modeButton) {
    for (const ViewMode& mode : ViewModes())
        view_.SetCheck(mode.modeButton, mode.modeButton == modeButton);
}

void ModePanel::EnterWaveform(PanelMode mode, int32_t engineMode, int modeButton) {
    LeaveNetwork();
    CheckOnly(modeButton);
    scales_.SetMode(mode);
    state_.engine.Do(&CDSCapture::SetMode, engineMode);
    scales_.RestoreSpinsForMode();
    for (const int id : {ctl::kTimeDivLabel, ctl::kTimeDivSpin, ctl::kCursor1Spin,
                         ctl::kCursor2Spin, ctl::kHorizontalPositionSpin, ctl::kGeneratorOn})
        view_.Enable(id, true);
    PushToControls();
}

void ModePanel::OnScope() {
    EnterWaveform(PanelMode::Wave, kModeScope, ctl::kModeScope);
}

void ModePanel::OnLissajous() {
    EnterWaveform(PanelMode::Lissajous, kModeLissajous, ctl::kModeLissajous);
}

void ModePanel::OnSpectrum() {
    LeaveNetwork();
    CheckOnly(ctl::kModeSpectrum);
    scales_.SetMode(PanelMode::Spectrum);
    state_.engine.Do(&CDSCapture::SetMode, kModeSpectrum);
    scales_.RestoreSpinsForMode();
    const bool linear = !state_.xlog;
    for (const int id : {ctl::kTimeDivLabel, ctl::kTimeDivSpin, ctl::kHorizontalPositionSpin})
        view_.Enable(id, linear);
    for (const int id : {ctl::kCursor1Spin, ctl::kCursor2Spin, ctl::kGeneratorOn})
        view_.Enable(id, true);
    // Entering the analyzer starts a fresh average.
    state_.engine.Do(&CDSCapture::SetAveraging, state_.averagingOn, state_.averagingLength);
    PushToControls();
}

void ModePanel::OnNetwork() {
    if (scales_.Mode() == PanelMode::Network) state_.timer.Kill();
    CheckOnly(ctl::kModeNetwork);
    scales_.SetMode(PanelMode::Network);
    state_.sweep.ClearResults();
    StartSweep();
}

void ModePanel::StartSweep() {
    for (const int id : kSweepSpins) view_.Enable(id, false);
    for (const ViewMode& mode : ViewModes()) view_.Enable(mode.modeButton, false);
    for (const int id : kSweepButtons) view_.Enable(id, false);
    view_.Enable(ctl::kStopRecord, false);
    // The sweep plays its tones through the generator, so the generator is switched on and its
    // box shows it.
    state_.outputs.ShowGenerator(true);
    state_.timer.Set(state_.sweep.Start());
}

void ModePanel::OnSweepTimer() {
    // The sweep's own steps set the timer again without taking its id.
    if (const std::optional<int> next = state_.sweep.Tick()) state_.timer.SetAgain(*next);
}

void ModePanel::OnToneMissing(const std::string& name) {
    CDlgWarnWav warning(name);
    services_.RunModal(warning);
}

void ModePanel::OnToneRefused(const std::string& name, int loadResult) {
    ReportGeneratorLoad(services_, name, loadResult);
}

void ModePanel::OnSweepFailed(const std::string& message) {
    services_.MessageBox(message, msg::kApplicationTitle, MessageIcon::Exclamation);
}

void ModePanel::OnSweepEnded() {
    EnableModeButtons();
    state_.timer.Kill();
}

void ModePanel::OnLinear() {
    scales_.SetAxis(FrequencyAxis::Linear);
    state_.engine.Do(&CDSCapture::SetLogAxis, false);
}

void ModePanel::OnLog() {
    scales_.SetAxis(FrequencyAxis::Log);
    state_.engine.Do(&CDSCapture::SetLogAxis, true);
}

void ModePanel::SendModeToEngine() {
    if (const ViewMode* mode = ViewModeOfKeyword(scales_.Mode()))
        state_.engine.Do(&CDSCapture::SetMode, mode->engineMode);
}

void ModePanel::EnableModeButtons() {
    for (const ViewMode& mode : ViewModes()) view_.Enable(mode.modeButton, true);
}

void ModePanel::PushToControls() {
    scales_.PushLabels();
}

}  // namespace velmora2
