#include "display/LogSweepCurve.h"

#include <cmath>
#include <numbers>

#include "analysis/SweepTable.h"

namespace velmora2 {

LogSweepCurve::LogSweepCurve(const LogSweepResult& result, int sampleRate)
    : measured_(std::make_unique<bool[]>(result.points.size())) {
    const double radiansPerDegree = std::numbers::pi / 180.0;
    for (size_t i = 0; i < result.points.size(); ++i) {
        const ResponsePoint& p = result.points[i];
        x_.push_back(SweepAxisX(p.frequencyHz, sampleRate));
        frequency_.push_back(p.frequencyHz);
        gain_.push_back(p.gainDb);
        unwrappedLag_.push_back(-p.phaseDeg * radiansPerDegree);
        wrappedLag_.push_back(-std::remainder(p.phaseDeg, 360.0) * radiansPerDegree);
        measured_[i] = std::isfinite(p.gainDb) && std::isfinite(p.phaseDeg);
    }
}

NetworkPoints LogSweepCurve::Points(bool phaseShown) const {
    return {x_, frequency_, gain_, phaseShown ? wrappedLag_ : unwrappedLag_,
            std::span<const bool>(measured_.get(), x_.size())};
}

}  // namespace velmora2
