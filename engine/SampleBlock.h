// The engine's sample block: the raw records (held with the analysis buffers, so every array
// sized from the record length is allocated and released together), the record position, and the
// oversampled display buffers the oscilloscope and the trigger search read.
#pragma once

#include <array>

#include "analysis/Oversampling.h"
#include "analysis/SpectrumAnalyzer.h"
#include "records/RuntimeState.h"

namespace velmora2 {

struct SampleBlock {
    SampleBlock() : records(kDefaultRecordLength) {}

    int RecordLength() const { return records.Size(); }
    double* RawL() { return records.Left().capture.data(); }
    double* RawR() { return records.Right().capture.data(); }
    const double* RawL() const { return records.Left().capture.data(); }
    const double* RawR() const { return records.Right().capture.data(); }

    SpectrumAnalyzer records;  // raw L and R are its channels' capture arrays
    int recordPosition = 0;    // b: the 2048-sample slice the next block fills
    std::array<double, kOversampledLength> stuffedL{};
    std::array<double, kOversampledLength> stuffedR{};
    std::array<double, kOversampledLength> displayL{};
    std::array<double, kOversampledLength> displayR{};
    int triggerIndex = 0;
};

}  // namespace velmora2
