// The generator's own signals: sines from a double-precision phase accumulator (a change of
// frequency goes on from the phase reached, without a click), two tones, white and pink noise and
// silence, on both channels, one of them, or the right one inverted; and the 16-bit samples of
// one looping buffer, which closes on itself without a step.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "records/GeneratorSignal.h"
#include "synthesis/PinkFilter.h"

namespace velmora2 {

// 1.0 in the sources' units is this many counts of a 16-bit sample.
inline constexpr double kFullScaleCounts = 32767.0;

// SMPTE/DIN and CCIF/DFD as the two tones they stand for; other signals as they are.
GeneratorSignal ResolvePreset(const GeneratorSignal& signal);

// Null when the signal can be played at the rate, or what is wrong with it ("the frequency is
// outside 1 Hz .. 0.49 of the sample rate").
const char* SignalProblem(const GeneratorSignal& signal, int sampleRate);

// Frames in the looping buffer: a whole number of periods of every tone (frequencies are taken
// to 0.01 Hz, so it is at most 100 s; with dither at least 10 s), 10 s of noise, 1 s of silence.
int64_t LoopFrames(const GeneratorSignal& signal, int sampleRate);

// A frequency as the sources play it: to 0.01 Hz.
double PlayedFrequency(double hz);

// A sine's phase in cycles (0 to 1) `frames` frames after its start, exact to the 0.01 Hz step.
double SinePhaseAfter(const GeneratorSignal& sine, int sampleRate, uint64_t frames);
// Whether `next` is the sine `playing` at another frequency only: it can go on from the phase
// `playing` has reached, without a step.
bool GlidesFrom(const GeneratorSignal& playing, const GeneratorSignal& next);

class ToneSource {
public:
    ToneSource(const GeneratorSignal& signal, int sampleRate);
    // The next frame, in full-scale units, before quantisation.
    void Next(double& left, double& right);
    // The sine (or the first of two tones) at a new frequency from the next frame on.
    void SetFrequency(double hz);

private:
    double Sample();

    GeneratorSignal signal_;
    int sampleRate_;
    double phase1_ = 0.0;  // cycles, in [0, 1)
    double phase2_ = 0.0;
    double step1_ = 0.0;  // cycles per frame
    double step2_ = 0.0;
    double amplitude1_ = 0.0;
    double amplitude2_ = 0.0;
};

// Rounds to 16 bits, after TPDF dither of one LSB peak when asked for.
class SampleQuantizer {
public:
    SampleQuantizer(bool dither, uint32_t seed) : dither_(dither), random_(seed) {}
    int16_t operator()(double fullScaleUnits);

private:
    bool dither_;
    std::mt19937 random_;
    std::uniform_real_distribution<double> uniform_{-0.5, 0.5};
};

// Interleaved left/right 16-bit samples of one loop (LoopFrames frames).
std::vector<int16_t> RenderLoop(const GeneratorSignal& signal, int sampleRate);

}  // namespace velmora2
