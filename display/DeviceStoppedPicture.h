// The picture field while the sound device is gone: the empty division field with a notice that
// says since when nothing is captured and that the instrument keeps trying to reconnect. The
// window draws it itself, since no engine runs to draw anything.
#pragma once

#include <cstdint>
#include <string>

#include "display/Surface.h"

namespace velmora2 {

struct DeviceOutage {
    std::string stoppedAt;       // the wall-clock time of the loss, "HH:MM:SS"
    int64_t secondsStopped = 0;  // how long ago that was
    int retryPeriodSeconds = 2;  // how often the device pair is tried again
};

// "Sound device stopped at HH:MM:SS." and, below it, "No input for N s. Reconnecting every 2 s..."
// (minutes and seconds past a minute) in the middle of the field.
void DrawDeviceStoppedPicture(Surface& surface, const DeviceOutage& outage);

// "No input for 45 s", "No input for 3 min 05 s".
std::string DescribeTimeStopped(int64_t seconds);

}  // namespace velmora2
