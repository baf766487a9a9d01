// Network analysis as the options choose it: the stepped sweep or the log sweep, looked up when
// the results are cleared and when a sweep starts, so that a sweep runs to its end with the method
// it began with.
#pragma once

#include <functional>

#include "measurement/SweepMethod.h"

namespace velmora2 {

class ChosenSweep final : public SweepMethod {
public:
    ChosenSweep(SweepMethod& stepped, SweepMethod& log, std::function<bool()> logChosen)
        : stepped_(stepped), log_(log), logChosen_(std::move(logChosen)) {}

    void ClearResults() override { Choose().ClearResults(); }
    int Start() override { return Choose().Start(); }
    std::optional<int> Tick() override { return current_->Tick(); }
    bool Running() const override { return current_->Running(); }

private:
    SweepMethod& Choose() { return *(current_ = logChosen_() ? &log_ : &stepped_); }

    SweepMethod& stepped_;
    SweepMethod& log_;
    const std::function<bool()> logChosen_;
    SweepMethod* current_ = &stepped_;
};

}  // namespace velmora2
