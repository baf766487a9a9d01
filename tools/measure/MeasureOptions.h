// The command line of velmora2-measure: a subcommand and its options, checked before anything is
// opened, so that every mistake is reported as one line and exit status 2.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmora2 {

enum class MeasureCommand { Spectrum, Scope, Sweep, Help };
enum class MeasureFormat { Text, Json, Csv };

struct MeasureOptions {
    MeasureCommand command = MeasureCommand::Help;
    std::string input;  // --input: the WAV file
    std::string png;    // --png: where to write the picture; empty for none
    MeasureFormat format = MeasureFormat::Text;
    // Spectrum.
    int fftSize = 2048;              // --fft
    std::string window = "black-h";  // --window
    bool highPass = false;           // --hpf
    int average = 1;                 // --average: records averaged (1: none)
    // Oscilloscope.
    int triggerSource = 0;  // --trigger: 0 off, 1 left, 2 right
    int triggerLevel = 0;   // --level, ADC counts
    bool triggerRising = true;
    // Network sweep.
    bool simulated = false;          // --sim: the simulated bench
    bool simulatedRealTime = false;  // --realtime: the bench on its own clock
    int device = -1;                 // --device: the listed sound-device pair; -1 for none
    int points = 18;                 // --points
    int rate = 48000;                // --rate
    bool slow = false;               // --slow: a tone every 2 s instead of every 500 ms
    // Log sweep (--method log).
    bool logSweep = false;
    double sweepSeconds = 4.0;  // --seconds
    // --band; the high edge defaults to 20 kHz or 0.45 of the rate, whichever is lower.
    double bandLowHz = 20.0;
    std::optional<double> bandHighHz;
    int smoothing = 48;      // --smoothing: points per octave averaged over, 0 for none
    std::string impulse;     // --impulse: where to write the impulse response; empty for none
    bool harmonics = false;  // --harmonics: the harmonics' columns too
};

struct MeasureParse {
    std::optional<MeasureOptions> options;  // empty when the arguments are wrong
    std::string error;                      // one line saying what is wrong
};

// args excludes the program name.
MeasureParse ParseMeasureArguments(std::span<const std::string_view> args);

// The --help text: every subcommand and option.
std::string MeasureUsage();

}  // namespace velmora2
