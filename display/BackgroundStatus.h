// The state the background painters show as notices, handed in by the block pipeline.
#pragma once

#include <cstdint>
#include <string_view>

namespace velmora2 {

struct RecordingStatus {
    bool active = false;
    std::string_view fileName;  // shown as given
    bool full = false;          // the recorder ended the recording in fileName, full
    // Where the file is when that is not beside the program; shown on a line of its own.
    std::string_view directory;
};

struct SpectrumStatus {
    RecordingStatus recording;
    int32_t settleCounter = 0;     // non-zero while a network sweep point is being measured
    bool averagingOn = false;      // AVEENB
    int32_t averageCount = 0;      // running count; 0 once averaging has finished
    int32_t logSweepPercent = -1;  // a log sweep's capture while it runs, else -1
};

}  // namespace velmora2
