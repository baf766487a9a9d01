// One measurement of a WAV file through the instrument's engine: the file backend delivers the
// blocks the measurement needs as fast as the engine takes them, and the figures, data, texts and
// picture are read from the engine after the block that completes the measurement.
#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/ModeData.h"
#include "engine/TriggerSearch.h"
#include "tools/measure/MeasureOptions.h"

namespace velmora2 {

struct ChannelReport {
    double mainFrequency = 0.0;  // Hz
    std::optional<double> thd;   // per cent; empty when unmeasured
    std::optional<double> thdPlusNoise;
    std::optional<double> signalToNoise;  // dB
    int harmonicCount = 0;
    std::vector<std::string> readout;  // the channel's read-out texts, as drawn
};

struct MeasureResult {
    int sampleRate = 0;
    uint64_t blocksProcessed = 0;
    uint64_t blocksDropped = 0;
    ChannelReport left;
    ChannelReport right;
    bool triggerFound = false;  // oscilloscope
    int triggerIndex = 0;
    ModeData data;
    QImage picture;  // null unless a picture file was asked for
};

// Blocks a measurement needs: `records` records of n samples (a record shorter than a block
// uses the first n samples of one).
uint64_t BlocksForRecords(int n, int records);
// Frames the file must hold so that none of those records reaches into padding.
uint64_t FramesForRecords(int n, int records);

// 0 on success; 1 with `error` set when the file cannot be used or the engine cannot run on it.
int RunMeasurement(const MeasureOptions& options, MeasureResult& result, std::string& error);

}  // namespace velmora2
