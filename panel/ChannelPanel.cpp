#include "panel/ChannelPanel.h"

#include "panel/ControlIds.h"

namespace velmora2 {

namespace {

struct DisplaySwitch {
    int checkBox;
    int scaleSpin;
    int positionSpin;
    int triggerSource;  // the source that follows this channel
};

constexpr DisplaySwitch kDisplaySwitches[] = {
    {ctl::kLeftOn, ctl::kLeftScaleSpin, ctl::kLeftPositionSpin, kTriggerSourceLeft},
    {ctl::kRightOn, ctl::kRightScaleSpin, ctl::kRightPositionSpin, kTriggerSourceRight},
};

}  // namespace

ChannelPanel::ChannelPanel(DialogView& view, const Bindings& bindings)
    : view_(view), state_(bindings) {}

void ChannelPanel::SelectTrigger(int source) {
    view_.SetCheck(ctl::kTriggerOff, source == kTriggerSourceOff);
    view_.SetCheck(ctl::kTriggerLeft, source == kTriggerSourceLeft);
    view_.SetCheck(ctl::kTriggerRight, source == kTriggerSourceRight);
    state_.triggerOn = source != kTriggerSourceOff;
    state_.triggerSource = source;
    state_.engine.Do(&CDSCapture::SetTriggerSource, source);
    view_.Enable(ctl::kTriggerLevelSpin, state_.triggerOn);
}

void ChannelPanel::OnDisplayOn(int channelIndex) {
    const DisplaySwitch& channel = kDisplaySwitches[channelIndex];
    bool& shown = channelIndex == 0 ? state_.leftShown : state_.rightShown;
    shown = !shown;
    view_.SetCheck(channel.checkBox, shown);
    SendOutputs();
    view_.Enable(channel.scaleSpin, shown);
    view_.Enable(channel.positionSpin, shown);
    if (!shown && state_.triggerSource == channel.triggerSource) OnTriggerOff();
}

void ChannelPanel::SendOutputs() {
    state_.engine.Do(&CDSCapture::SetOutputs, state_.leftShown, state_.rightShown,
                     state_.generatorOn);
}

}  // namespace velmora2
