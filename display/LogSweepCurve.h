// A log sweep's points as the network chart draws them: many more than a stepped sweep's, on the
// same axes. Made once per result, so that drawing it on every block allocates nothing.
#pragma once

#include <memory>
#include <vector>

#include "display/NetworkView.h"
#include "logsweep/LogSweepResult.h"

namespace velmora2 {

class LogSweepCurve {
public:
    LogSweepCurve(const LogSweepResult& result, int sampleRate);

    // The points with the phase the chart plots: wrapped to a turn on the phase scale, unwrapped
    // (so that the delay it shows is the phase delay) on the delay scale.
    NetworkPoints Points(bool phaseShown) const;

private:
    std::vector<int> x_;
    std::vector<double> frequency_;
    std::vector<double> gain_;
    std::vector<double> wrappedLag_;    // radians, positive when the right input lags
    std::vector<double> unwrappedLag_;  // the same unwrapped
    std::unique_ptr<bool[]> measured_;
};

}  // namespace velmora2
