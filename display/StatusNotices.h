// The status notices written by the background painters: recording, network sweep and
// averaging progress. Each painter puts them at its own places.
#pragma once

#include <cstdint>

#include "display/BackgroundStatus.h"
#include "display/Surface.h"

namespace velmora2 {

struct NoticePlaces {
    Point network;
    Point recording;
    Point averaging;
    Point finished;
};

// "Recording to <name>. Click TEISHI to suspend." while a recording is open; after the recorder
// ended one because its file was full, "Recording stopped: <name> is full (4 GiB)." until the next
// recording starts. Below it, "in <directory>" when the file is not beside the program.
void DrawRecordingNotice(Surface& surface, const RecordingStatus& recording, Point at);

// "Data lost: <n> blocks" at the bottom left while blocks of input have been lost since the
// engine started; nothing when none were.
void DrawDataLossNotice(Surface& surface, uint64_t droppedBlocks);

// Network notice (a stepped sweep's point, or a log sweep's capture), recording notice and
// averaging notice, in that order.
void DrawSpectrumNotices(Surface& surface, const SpectrumStatus& status,
                         const NoticePlaces& places);

}  // namespace velmora2
