// A sweep's listener for the tests: what the sweep told it, one line each.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "measurement/SweepMethod.h"

namespace velmora2 {

// The user's own tone, named apart from every sweep tone ("sin1k.wav" is the 1 kHz point too).
inline constexpr const char* kUserTone = "own-tone.wav";

// What the sweep told its listener, one line each.
class HeardEvents final : public SweepListener {
public:
    void OnSweepPoint(int index, int count, double frequencyHz) override {
        lines.push_back("point " + std::to_string(index) + "/" + std::to_string(count) + " " +
                        std::to_string(std::lround(frequencyHz)));
    }
    void OnToneMissing(const std::string& name) override { lines.push_back("missing " + name); }
    void OnToneRefused(const std::string& name, int loadResult) override {
        lines.push_back("refused " + name + " " + std::to_string(loadResult));
    }
    void OnSweepFailed(const std::string& message) override {
        lines.push_back("failed " + message);
    }
    void OnSweepEnded() override { lines.push_back("ended"); }

    std::vector<std::string> lines;
};

}  // namespace velmora2
