#include "panel/OutputSwitches.h"

#include "panel/ControlIds.h"

namespace velmora2 {

namespace {

constexpr int kTraceBoxes[] = {ctl::kLeftOn, ctl::kRightOn};

}  // namespace

void OutputSwitches::ShowTrace(int channelIndex, bool shown) {
    traceShown_[channelIndex] = shown;
    view_.SetCheck(kTraceBoxes[channelIndex], shown);
}

void OutputSwitches::ShowGenerator(bool on) {
    generatorOn_ = on;
    view_.SetCheck(ctl::kGeneratorOn, on);
}

void OutputSwitches::Send() const {
    engine_.Do(&CDSCapture::SetOutputs, LeftShown(), RightShown(), generatorOn_);
}

void OutputSwitches::PushChecks() const {
    view_.SetCheck(ctl::kLeftOn, LeftShown());
    view_.SetCheck(ctl::kRightOn, RightShown());
    view_.SetCheck(ctl::kGeneratorOn, generatorOn_);
}

}  // namespace velmora2
