#include "panel/ScalePanel.h"

#include <algorithm>
#include <utility>

#include "panel/ControlIds.h"
#include "panel/PanelMode.h"

namespace velmora2 {

namespace {

struct Channel {
    int scaleSpin;
    int scaleLabel;
    int positionSpin;
    int32_t DisplayScales::*scale;
    int32_t DisplayScales::*dbBottom;
    int32_t DisplayScales::*position;
    int32_t DisplayScales::*specPosition;
};

constexpr int kLeft = 0;
constexpr int kRight = 1;
constexpr Channel kChannels[] = {
    {ctl::kLeftScaleSpin, ctl::kLeftScaleLabel, ctl::kLeftPositionSpin, &DisplayScales::scaleL,
     &DisplayScales::dbBottomL, &DisplayScales::positionL, &DisplayScales::specPositionL},
    {ctl::kRightScaleSpin, ctl::kRightScaleLabel, ctl::kRightPositionSpin, &DisplayScales::scaleR,
     &DisplayScales::dbBottomR, &DisplayScales::positionR, &DisplayScales::specPositionR},
};

constexpr int kCursorSpins[] = {ctl::kCursor1Spin, ctl::kCursor2Spin};

}  // namespace

ScalePanel::ScalePanel(DialogView& view, const Bindings& bindings)
    : view_(view), state_(bindings) {}

void ScalePanel::PushLabels() {
    view_.SetText(ctl::kTimeDivLabel, timeDivLabel_);
    for (int channel : {kLeft, kRight})
        view_.SetText(kChannels[channel].scaleLabel, scaleLabels_[channel]);
}

bool ScalePanel::OnSpinChanged(int spinId) {
    using Handler = void (*)(ScalePanel&);
    static constexpr std::pair<int, Handler> kHandlers[] = {
        {ctl::kTimeDivSpin, [](ScalePanel& panel) { panel.OnTimeDiv(); }},
        {ctl::kHorizontalPositionSpin, [](ScalePanel& panel) { panel.OnHorizontalPosition(); }},
        {ctl::kLeftScaleSpin, [](ScalePanel& panel) { panel.OnScale(kLeft); }},
        {ctl::kRightScaleSpin, [](ScalePanel& panel) { panel.OnScale(kRight); }},
        {ctl::kLeftPositionSpin, [](ScalePanel& panel) { panel.OnPosition(kLeft); }},
        {ctl::kRightPositionSpin, [](ScalePanel& panel) { panel.OnPosition(kRight); }},
        {ctl::kTriggerLevelSpin, [](ScalePanel& panel) { panel.OnTriggerLevel(); }},
        {ctl::kCursor1Spin, [](ScalePanel& panel) { panel.OnCursor(0); }},
        {ctl::kCursor2Spin, [](ScalePanel& panel) { panel.OnCursor(1); }},
    };
    const auto* found = std::find_if(std::begin(kHandlers), std::end(kHandlers),
                                     [spinId](const auto& entry) { return entry.first == spinId; });
    if (found == std::end(kHandlers)) return false;
    if (state_.gates.IsSet(spinId)) found->second(*this);
    return true;
}

void ScalePanel::OnTimeDiv() {
    const int n = view_.SpinPosition(ctl::kTimeDivSpin);
    if (InMode(PanelMode::Wave)) {
        if (const auto step = TimeDivAt(n, state_.osr, state_.activeSampleRate)) {
            state_.scales.timeSpan = step->value;
            timeDivLabel_ = step->label;
        }
    } else if (InMode(PanelMode::Spectrum)) {
        if (const auto step = HzDivAt(n, state_.activeSampleRate)) {
            state_.scales.freqSpan = step->value;
            timeDivLabel_ = step->label;
            SettleSpin(ctl::kTimeDivSpin, n, step->spinPosition);
        }
    }
    ApplyScales();
    view_.SetText(ctl::kTimeDivLabel, timeDivLabel_);
}

void ScalePanel::OnHorizontalPosition() {
    const int n = view_.SpinPosition(ctl::kHorizontalPositionSpin);
    if (InMode(PanelMode::Wave)) {
        state_.scales.timeOffset = TimeOffsetFromSpin(n);
    } else if (InMode(PanelMode::Spectrum) && LogAxis()) {
        SettleSpin(ctl::kHorizontalPositionSpin, n, LimitFreqOffsetSpin(n));
        state_.scales.freqOffset = FreqOffsetFromSpin(n);
    } else {
        return;
    }
    ApplyScales();
}

void ScalePanel::OnScale(int channelIndex) {
    const Channel& channel = kChannels[channelIndex];
    const int n = view_.SpinPosition(channel.scaleSpin);
    std::string& label = scaleLabels_[channelIndex];
    if (InMode(PanelMode::Wave) || InMode(PanelMode::Lissajous)) {
        if (const auto step = VoltDivAt(n)) {
            state_.scales.*channel.scale = step->value;
            label = step->label;
        }
    } else if (InMode(PanelMode::Spectrum) && LogAxis()) {
        if (const auto step = DbDivAt(n)) {
            state_.scales.*channel.dbBottom = step->value;
            label = step->label;
            SettleSpin(channel.scaleSpin, n, step->spinPosition);
        }
    }
    ApplyScales();
    view_.SetText(channel.scaleLabel, label);
}

void ScalePanel::OnPosition(int channelIndex) {
    const Channel& channel = kChannels[channelIndex];
    const int n = view_.SpinPosition(channel.positionSpin);
    if (InMode(PanelMode::Wave)) {
        state_.scales.*channel.position = PositionFromSpin(n);
    } else if (InMode(PanelMode::Spectrum)) {
        state_.scales.*channel.specPosition = PositionFromSpin(n);
    }
    ApplyScales();
}

void ScalePanel::OnTriggerLevel() {
    // Always the left scale, also with the right channel as the source; a later change of the
    // scale leaves the level as it was.
    const int n = view_.SpinPosition(ctl::kTriggerLevelSpin);
    state_.engine.Do(&CDSCapture::SetTriggerLevel, TriggerLevelFromSpin(state_.scales.scaleL, n));
}

void ScalePanel::OnCursor(int which) {
    const int spinId = kCursorSpins[which];
    const int n = view_.SpinPosition(spinId);
    if (InMode(PanelMode::Wave)) {
        state_.cursorX[kScopeCursors + which] = CursorFromSpin(n);
    } else if (InMode(PanelMode::Lissajous)) {
        SettleSpin(spinId, n, LimitLissajousSpin(n));
        state_.cursorX[kLissajousCursors + which] = LissajousCursorFromSpin(n);
    } else if (InMode(PanelMode::Spectrum) && LogAxis()) {
        state_.cursorX[kSpectrumCursors + which] = CursorFromSpin(n);
    } else {
        return;
    }
    SendCursors();
}

void ScalePanel::SettleSpin(int spinId, int asked, int resolved) {
    if (resolved == asked) return;
    view_.SetSpinPosition(spinId, resolved);
    OnSpinChanged(spinId);
}

void ScalePanel::SendToEngine() {
    OnTriggerLevel();
    ApplyScales();
    SendCursors();
}

void ScalePanel::ApplyScales() {
    state_.engine.Do(&CDSCapture::ApplyDisplayScales, state_.scales);
}

void ScalePanel::SendCursors() {
    std::array<int32_t, kEngineCursorCount> positions{};
    std::copy_n(state_.cursorX.begin(), kEngineCursorCount, positions.begin());
    state_.engine.Do(&CDSCapture::SetCursors, positions);
}

void ScalePanel::RederiveTimeDiv() {
    const int n = view_.SpinPosition(ctl::kTimeDivSpin);
    const auto step = TimeDivAt(n, state_.osr, state_.activeSampleRate);
    if (!step) return;
    state_.scales.timeSpan = step->value;
    timeDivLabel_ = step->label;
    view_.SetText(ctl::kTimeDivLabel, timeDivLabel_);
}

void ScalePanel::RestoreSpinsForMode() {
    const bool spectrum = InMode(PanelMode::Spectrum);
    const bool lissajous = InMode(PanelMode::Lissajous);
    if (!spectrum && !lissajous && !InMode(PanelMode::Wave)) return;

    const DisplayScales& scales = state_.scales;
    RestoreSpin(ctl::kTimeDivSpin,
                spectrum ? HzDivForSpan(scales.freqSpan)
                         : TimeDivForSpan(scales.timeSpan, state_.osr, state_.activeSampleRate),
                timeDivLabel_, ctl::kTimeDivLabel);
    for (int index : {kLeft, kRight}) {
        const Channel& channel = kChannels[index];
        RestoreSpin(channel.scaleSpin,
                    spectrum ? DbDivForBottom(scales.*channel.dbBottom)
                             : VoltDivForScale(scales.*channel.scale),
                    scaleLabels_[index], channel.scaleLabel);
        view_.SetSpinPosition(
            channel.positionSpin,
            SpinFromPosition(spectrum ? scales.*channel.specPosition : scales.*channel.position));
    }
    const int cursors = spectrum ? kSpectrumCursors : lissajous ? kLissajousCursors : kScopeCursors;
    for (int which = 0; which < 2; ++which) {
        const int32_t cursor = state_.cursorX[cursors + which];
        view_.SetSpinPosition(kCursorSpins[which],
                              lissajous ? SpinFromLissajousCursor(cursor) : SpinFromCursor(cursor));
    }
    view_.SetSpinPosition(
        ctl::kHorizontalPositionSpin,
        spectrum ? SpinFromFreqOffset(scales.freqOffset) : SpinFromTimeOffset(scales.timeOffset));
}

void ScalePanel::RestoreSpin(int spinId, const std::optional<RangeStep>& step, std::string& label,
                             int labelId) {
    if (!step) return;
    view_.SetSpinPosition(spinId, step->spinPosition);
    label = step->label;
    view_.SetText(labelId, label);
}

bool ScalePanel::InMode(PanelMode mode) const {
    return mode_ == mode;
}

bool ScalePanel::LogAxis() const {
    return axis_ == FrequencyAxis::Log;
}

}  // namespace velmora2
