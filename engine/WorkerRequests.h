// The worker's own state and the resets the user interface asks of it: things the worker owns
// (WorkerState) are only reset by the user interface, through WorkerRequests that the worker
// applies at the start of its next block.
#pragma once

#include <cstdint>

namespace velmora2 {

// Resets the user interface asks of the worker; applied at the start of the worker's next block.
struct WorkerRequests {
    bool clearSingleShot = false;
    int32_t recordLength = 0;  // 0: none; otherwise the requested record length N
    bool setAveragingCounter = false;
    int32_t averagingCounter = 0;
    bool startSweepPoint = false;
    int32_t sweepPointIndex = 0;
    bool resetSweep = false;
};

// What only the worker writes.
struct WorkerState {
    bool singleShotCaptured = false;
    int32_t averagingCounter = 0;
};

}  // namespace velmora2
