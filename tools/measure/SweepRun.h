// A whole network sweep without a window: the engine runs with the instrument's default settings
// and the sweep's options, the window's own sweep method (stepped or log) steps it, and the command
// plays the part of timer 1 at the periods the sweep asks for. On the simulated bench each period's
// blocks are delivered as fast as the engine takes them; on a sound device the periods are waited
// out in real time.
#pragma once

#include <QImage>
#include <functional>
#include <memory>
#include <string>

#include "analysis/SweepTable.h"
#include "logsweep/LogSweepResult.h"
#include "tools/measure/MeasureOptions.h"

namespace velmora2 {

struct SweepOutcome {
    SweepResults results;                            // the stepped sweep's
    std::shared_ptr<const LogSweepResult> logSweep;  // the log sweep's
    QImage picture;  // the network chart; null unless a picture file was asked for
};

// Told when the sweep starts measuring a point: its number (1 for the first), the sweep's point
// count and the point's frequency in Hz.
using SweepProgress = std::function<void(int point, int count, double frequency)>;

// 0 on success; 1 with `error` set when the device, the tone files or the sweep fail.
int RunSweep(const MeasureOptions& options, SweepOutcome& outcome, std::string& error,
             const SweepProgress& progress);

}  // namespace velmora2
