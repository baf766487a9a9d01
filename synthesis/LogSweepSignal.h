// The exponential sine sweep of the frequency-response measurement: its frequency rises by the same
// ratio in every equal stretch of time, so each harmonic a device adds runs ahead of the
// fundamental by a fixed time that depends on its order alone. The played sweep begins an octave
// below the band and ends a twelfth of an octave above it, the extra parts faded in and out, so
// that every frequency of the band is played at the full level (and the band's low edge is soft
// enough not to ring for long in the impulse response). Silence comes before and after it.
#pragma once

#include <cstdint>
#include <vector>

namespace velmora2 {

struct LogSweepPlan {
    double startHz = 20.0;
    double endHz = 20000.0;   // at most kMaxLogSweepRateShare of the rate
    double seconds = 4.0;     // the band's sweep with its fades
    double levelDbfs = -6.0;  // the sweep's peak against full scale
    int sampleRate = 48000;
    bool dither = true;
};

inline constexpr double kMinLogSweepSeconds = 1.0;
inline constexpr double kMaxLogSweepSeconds = 20.0;
inline constexpr double kMinLogSweepHz = 10.0;
inline constexpr double kMaxLogSweepRateShare = 0.45;

// Null when the plan can be played, or what is wrong with it.
const char* LogSweepProblem(const LogSweepPlan& plan);

// The sweep's timing at its rate, in frames and seconds.
struct LogSweepShape {
    double playedStartHz = 0.0;
    double playedEndHz = 0.0;
    // L in f(t) = playedStartHz e^(t / L): the time the frequency takes to grow by e. The
    // harmonic of order k runs L ln k ahead of the fundamental.
    double rateSeconds = 0.0;
    int64_t leadFrames = 0;  // silence before the sweep
    int64_t sweepFrames = 0;
    int64_t fadeInFrames = 0;   // up to the band's start
    int64_t fadeOutFrames = 0;  // from the band's end
};
LogSweepShape ShapeOf(const LogSweepPlan& plan);

// The sweep's sample `frame` frames after its first (0 <= frame < sweepFrames), in full-scale
// units: the fades included, before quantisation.
double LogSweepSample(const LogSweepPlan& plan, const LogSweepShape& shape, int64_t frame);

// Interleaved 16-bit samples of one loop of the generator: the lead silence, the sweep on both
// channels, then `trailingFrames` of silence. Throws std::bad_alloc like any allocation.
std::vector<int16_t> RenderLogSweepLoop(const LogSweepPlan& plan, int64_t trailingFrames);

}  // namespace velmora2
