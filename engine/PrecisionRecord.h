// The precision read-out's own record: while the read-out is on in spectrum mode, the captured
// blocks of both inputs fill a record of kPoints; the analysis of a full record then runs one
// step per block (the blocks meanwhile are not collected), and the next record starts when it
// is done. Worker thread only; nothing is allocated until the read-out is first switched on.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "precision/PrecisionAnalyzer.h"
#include "records/RuntimeState.h"

namespace velmora2 {

class PrecisionRecord {
public:
    static constexpr int kPoints = 65536;

    // One block: `left` and `right` hold its `frames` captured codes, or are null when nothing
    // was captured (held, or a single shot taken). Returns false only when the memory for the
    // record cannot be had; the read-out then stays empty.
    bool Advance(const RuntimeState& settings, int sampleRate, const double* left,
                 const double* right, int frames);

    // The figures of the last complete analysis since the read-out was switched on.
    const std::optional<StereoFigures>& Latest() const { return latest_; }

private:
    std::unique_ptr<PrecisionAnalyzer> analyzer_;
    std::vector<double> left_, right_;
    int filled_ = 0;
    std::optional<StereoFigures> latest_;
};

}  // namespace velmora2
