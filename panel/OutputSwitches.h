// The three ON check boxes of the main window: the left and right traces and the generator. The
// one record of what they show, shown on the boxes as it changes, and handed to the engine as the
// three together.
#pragma once

#include <array>

#include "dialogs/DialogView.h"
#include "engine/EngineHandle.h"

namespace velmora2 {

class OutputSwitches {
public:
    OutputSwitches(DialogView& view, EngineHandle engine) : view_(view), engine_(engine) {}

    // channelIndex: 0 left, 1 right.
    bool TraceShown(int channelIndex) const { return traceShown_[channelIndex]; }
    bool LeftShown() const { return traceShown_[0]; }
    bool RightShown() const { return traceShown_[1]; }
    bool GeneratorOn() const { return generatorOn_; }

    // Each shows the new state on its box; Send hands all three to the engine.
    void ShowTrace(int channelIndex, bool shown);
    void ShowGenerator(bool on);
    void Send() const;
    // All three boxes as they stand (start-up).
    void PushChecks() const;

private:
    DialogView& view_;
    const EngineHandle engine_;
    std::array<bool, 2> traceShown_{true, true};
    bool generatorOn_ = false;
};

}  // namespace velmora2
