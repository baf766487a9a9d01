// A way of measuring a frequency response, stepped by its owner's timer: the window's timer 1,
// or the measurement command's own clock. The method plays its stimulus through the engine's
// generator, has the engine measure, and tells a listener what the user should hear of it.
#pragma once

#include <optional>
#include <string>

namespace velmora2 {

class SweepListener {
public:
    virtual ~SweepListener() = default;
    // The tone of point `index` (from 0) of `count` plays and its measurement starts.
    virtual void OnSweepPoint(int index, int count, double frequencyHz) = 0;
    // A tone file that is found nowhere.
    virtual void OnToneMissing(const std::string& name) = 0;
    // A tone file that is there but the generator refused, with the load's result
    // (CDSCapture::SetGeneratorFile): positive, its rate, above what the output device plays;
    // negative, what is wrong with the file.
    virtual void OnToneRefused(const std::string& name, int loadResult) = 0;
    // The sweep cannot go on, and ends without a result: why, in a sentence.
    virtual void OnSweepFailed(const std::string& message) = 0;
    // The sweep is over; told before the user's own generator is given back.
    virtual void OnSweepEnded() = 0;
};

class SweepMethod {
public:
    virtual ~SweepMethod() = default;
    // Forgets the points of earlier sweeps and sets the engine to the mode the method measures
    // in: entering network analysis does this before Start.
    virtual void ClearResults() = 0;
    // A new sweep; returns the delay in ms before its first Tick.
    virtual int Start() = 0;
    // One step; returns the delay before the next, or nothing once the sweep is over.
    virtual std::optional<int> Tick() = 0;
    // Whether a sweep runs.
    virtual bool Running() const = 0;
};

}  // namespace velmora2
