#include "panel/GeneratorPanel.h"

#include "dialogs/CDlgWarnWav.h"
#include "panel/ControlIds.h"
#include "panel/GeneratorLoadReport.h"
#include "panel/RangeTables.h"
#include "panel/UserGenerator.h"
#include "platform/GeneratorFileSearch.h"

namespace velmora2 {

GeneratorPanel::GeneratorPanel(DialogView& view, DialogServices& services, const Bindings& bindings)
    : view_(view), services_(services), state_(bindings) {}

void GeneratorPanel::PushLabel() {
    view_.SetText(ctl::kVolumeLabel, volumeLabel_);
}

void GeneratorPanel::OnGeneratorSwitch() {
    if (!PlaysOwnSignal(state_.signal) &&
        !FindGeneratorFile(state_.playwav, ProgramSearchPlaces(state_.programDirectory))) {
        CDlgWarnWav warning(state_.playwav);
        services_.RunModal(warning);
        // The click has already toggled the box: show what the generator really does.
        state_.outputs.ShowGenerator(state_.outputs.GeneratorOn());
        return;
    }
    const bool on = !state_.outputs.GeneratorOn();
    const int loaded = LoadUserGenerator(state_.engine, state_.signal, state_.playwav);
    // A sound that cannot be played leaves the generator off, and the box says so; switching
    // off always works.
    const bool unplayable = on && loaded < 0;
    state_.outputs.ShowGenerator(on && !unplayable);
    if (on) ReportUserGeneratorLoad(services_, state_.signal, state_.playwav, loaded);
    if (!unplayable) state_.outputs.Send();
}

void GeneratorPanel::SendToEngine() {
    state_.engine.Do(&CDSCapture::SetGeneratorVolume, volume_);
    if (!state_.outputs.GeneratorOn()) return;
    const int loaded = LoadUserGenerator(state_.engine, state_.signal, state_.playwav);
    if (loaded < 0) state_.outputs.ShowGenerator(false);
    ReportUserGeneratorLoad(services_, state_.signal, state_.playwav, loaded);
}

bool GeneratorPanel::OnSpinChanged(int spinId) {
    if (spinId != ctl::kVolumeSpin) return false;
    if (state_.gates.IsSet(spinId)) OnVolume();
    return true;
}

// A position outside the table changes neither volume nor label; the stored volume still goes
// to the engine.
void GeneratorPanel::OnVolume() {
    if (const auto step = VolumeAt(view_.SpinPosition(ctl::kVolumeSpin))) {
        volume_ = step->value;
        volumeLabel_ = step->label;
    }
    state_.engine.Do(&CDSCapture::SetGeneratorVolume, volume_);
    view_.SetText(ctl::kVolumeLabel, volumeLabel_);
}

}  // namespace velmora2
