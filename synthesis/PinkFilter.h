// Shapes white noise into pink (power falling 3 dB per octave): a cascade of first-order
// pole-zero sections, a third of a decade apart, whose corners scale with the sample rate. The
// top three sections were placed by a least-squares search so that the slope holds within
// about 0.25 dB from 20 Hz to 0.42 of the rate (20 kHz at 48000 Hz).
#pragma once

#include <vector>

namespace velmora2 {

class PinkFilter {
public:
    explicit PinkFilter(int sampleRate);
    // The next output for one white input; the gain at 1 kHz is 1.
    double Next(double white);

private:
    struct Section {
        double zero;
        double pole;
        double lastInput = 0.0;
        double lastOutput = 0.0;
    };
    std::vector<Section> sections_;
    double gain_ = 1.0;
};

}  // namespace velmora2
