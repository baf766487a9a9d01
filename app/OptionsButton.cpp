#include "app/OptionsButton.h"

#include "dialogs/CDlgWarnWav.h"
#include "panel/ControlIds.h"
#include "panel/GeneratorLoadReport.h"
#include "panel/UserGenerator.h"
#include "platform/GeneratorFileSearch.h"

namespace velmora2 {

OptionsButton::OptionsButton(SoundSystem& sound, DialogView& view, DialogServices& services,
                             Bindings bindings)
    : sound_(sound), view_(view), services_(services), state_(std::move(bindings)) {}

bool OptionsButton::OnOptions() {
    view_.Enable(ctl::kOptions, false);
    CDlgOption dialog(sound_, state_.deviceNotice);
    OptionValues& values = dialog.Values();
    values.settings = state_.settings;
    values.samplingRate = state_.settings.activeSampleRate;
    values.deviceMaxRate = state_.settings.deviceMaxRate;
    values.lastOptionsPage = state_.lastOptionsPage;
    const bool accepted = services_.RunModal(dialog) == CDlgOption::kOkResult;
    if (accepted) Apply(values);
    view_.Enable(ctl::kOptions, true);
    return accepted;
}

// In this order: the engine takes some values at once and some at its next block, and the
// time/div handling must see the new oversampling and rate.
void OptionsButton::Apply(const OptionValues& chosen) {
    SettingsRecord& s = state_.settings;
    const SettingsRecord& c = chosen.settings;
    const EngineHandle& engine = state_.engine;

    s.maxrec = c.maxrec;
    state_.lastOptionsPage = chosen.lastOptionsPage;

    s.winfunc = c.winfunc;
    engine.Do(&CDSCapture::SetWindowFunction, s.winfunc);

    s.scales.gainRange = c.scales.gainRange;
    s.scales.delayRange = c.scales.delayRange;
    s.scales.phaseRange = c.scales.phaseRange;
    s.scales.gainOffset = c.scales.gainOffset;
    s.scales.cal = c.scales.cal;
    s.scales.specCal = c.scales.specCal;

    s.osr = c.osr;
    engine.Do(&CDSCapture::SetOversampling, s.osr);
    if (state_.scalePanel.Mode() != PanelMode::Spectrum) state_.scalePanel.RederiveTimeDiv();
    engine.Do(&CDSCapture::ApplyDisplayScales, s.scales);

    // Letter case counts: another spelling may name another file.
    const bool fileChanged = c.playwav != s.playwav;
    const bool signalChanged = c.generator != s.generator;
    s.generator = c.generator;
    if (PlaysOwnSignal(s.generator)) {
        s.playwav = c.playwav;
        if (signalChanged)
            ReportUserGeneratorLoad(services_, s.generator, s.playwav,
                                    LoadUserGenerator(engine, s.generator, s.playwav));
    } else if (fileChanged || signalChanged) {
        ApplyGeneratorFile(c.playwav);
    }

    s.tadj = c.tadj;
    engine.Do(&CDSCapture::SetChannelDelay, s.tadj);

    s.fftn = c.fftn;
    engine.Do(&CDSCapture::SetRecordLength, s.fftn);

    s.xlog = c.xlog;
    if (state_.scalePanel.Mode() == PanelMode::Spectrum) {
        // The linear-axis scale controls mean nothing on a logarithmic axis.
        for (int id : {ctl::kTimeDivLabel, ctl::kTimeDivSpin, ctl::kHorizontalPositionSpin})
            view_.Enable(id, !s.xlog);
    }
    engine.Do(&CDSCapture::SetLogAxis, s.xlog);

    s.mainFreq = c.mainFreq;
    s.thd = c.thd;
    s.thdpn = c.thdpn;
    s.sn = c.sn;
    s.hpf = c.hpf;
    engine.Do(&CDSCapture::SetMeasurements, s.mainFreq, s.thd, s.thdpn, s.sn, s.hpf);

    s.precision = c.precision;
    engine.Do(&CDSCapture::SetPrecisionReadout, s.precision);

    s.aveenb = c.aveenb;
    s.maxaven = c.maxaven;
    engine.Do(&CDSCapture::SetAveraging, s.aveenb, s.maxaven);

    s.phaseDisplay = c.phaseDisplay;
    engine.Do(&CDSCapture::SetDelayDisplay, s.phaseDisplay);

    s.wavn = c.wavn;
    engine.Do(&CDSCapture::SetSweepPoints, s.wavn);

    s.slowSweep = c.slowSweep;
    s.sweepPeriodMs = s.slowSweep ? 2000 : 500;
    engine.Do(&CDSCapture::SetSlowSweep, s.slowSweep);

    s.adcRange = c.adcRange;
    engine.Do(&CDSCapture::SetAdcRange, s.adcRange);

    s.trigModeNormal = c.trigModeNormal;
    s.trigEdgeRising = c.trigEdgeRising;
    engine.Do(&CDSCapture::SetTriggerMode, s.trigEdgeRising, s.trigModeNormal);

    // Takes effect at the next start; the engine keeps running at the active rate.
    s.fsample = chosen.samplingRate;

    s.difunitSec = c.difunitSec;
    engine.Do(&CDSCapture::SetDifferenceUnit, s.difunitSec);

    // The time/div handler once more, so that label and span follow the new settings (in the
    // spectrum it corrects the Hz/div step against the rate).
    state_.scalePanel.OnSpinChanged(ctl::kTimeDivSpin);

    s.device = c.device;
    state_.devices = chosen.devices;

    if (chosen.saveRequested && state_.saveSettings) state_.saveSettings();
}

// The new name is kept even when the file cannot be used; the generator then keeps playing its
// previous sound.
void OptionsButton::ApplyGeneratorFile(const std::string& playwav) {
    state_.settings.playwav = playwav;
    if (!FindGeneratorFile(playwav, ProgramSearchPlaces(state_.programDirectory))) {
        CDlgWarnWav warning(playwav);
        services_.RunModal(warning);
        return;
    }
    ReportGeneratorLoad(services_, playwav,
                        state_.engine.Ask(&CDSCapture::SetGeneratorFile, 0, playwav));
}

}  // namespace velmora2
