#include "panel/ChannelPanel.h"

#include "panel/ControlIds.h"

namespace velmora2 {

namespace {

struct DisplaySwitch {
    int scaleSpin;
    int positionSpin;
    int triggerSource;  // the source that follows this channel
};

constexpr DisplaySwitch kDisplaySwitches[] = {
    {ctl::kLeftScaleSpin, ctl::kLeftPositionSpin, kTriggerSourceLeft},
    {ctl::kRightScaleSpin, ctl::kRightPositionSpin, kTriggerSourceRight},
};

}  // namespace

ChannelPanel::ChannelPanel(DialogView& view, const Bindings& bindings)
    : view_(view), state_(bindings) {}

void ChannelPanel::SelectTrigger(int source) {
    view_.SetCheck(ctl::kTriggerOff, source == kTriggerSourceOff);
    view_.SetCheck(ctl::kTriggerLeft, source == kTriggerSourceLeft);
    view_.SetCheck(ctl::kTriggerRight, source == kTriggerSourceRight);
    triggerSource_ = source;
    state_.engine.Do(&CDSCapture::SetTriggerSource, source);
    view_.Enable(ctl::kTriggerLevelSpin, TriggerOn());
}

void ChannelPanel::SendTrigger() const {
    state_.engine.Do(&CDSCapture::SetTriggerSource, triggerSource_);
}

void ChannelPanel::OnDisplayOn(int channelIndex) {
    const DisplaySwitch& channel = kDisplaySwitches[channelIndex];
    const bool shown = !state_.outputs.TraceShown(channelIndex);
    state_.outputs.ShowTrace(channelIndex, shown);
    state_.outputs.Send();
    view_.Enable(channel.scaleSpin, shown);
    view_.Enable(channel.positionSpin, shown);
    if (!shown && triggerSource_ == channel.triggerSource) OnTriggerOff();
}

}  // namespace velmora2
