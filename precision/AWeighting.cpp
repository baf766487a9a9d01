#include "precision/AWeighting.h"

namespace velmora2 {

namespace {

double UnnormalisedPower(double f) {
    const double f2 = f * f;
    const double p1 = 20.598997 * 20.598997;
    const double p2 = 107.65265 * 107.65265;
    const double p3 = 737.86223 * 737.86223;
    const double p4 = 12194.217 * 12194.217;
    const double numerator = p4 * f2 * f2;
    const double root = (f2 + p1) * (f2 + p4);
    return numerator * numerator / (root * root * (f2 + p2) * (f2 + p3));
}

}  // namespace

double AWeightingPowerGain(double frequencyHz) {
    static const double atOneKilohertz = UnnormalisedPower(1000);
    return UnnormalisedPower(frequencyHz) / atOneKilohertz;
}

}  // namespace velmora2
