// What velmora2-measure prints: the figures as "key = value" lines or JSON, or the data as CSV.
// Numbers in the C locale and in their shortest exact form.
#pragma once

#include <string>

#include "tools/measure/MeasureOptions.h"
#include "tools/measure/MeasureRun.h"
#include "tools/measure/SweepRun.h"

namespace velmora2 {

std::string FormatMeasurement(const MeasureOptions& options, const MeasureResult& result);
// The measured points of a sweep: a header line and aligned columns, the window's network CSV,
// or JSON.
std::string FormatSweep(const MeasureOptions& options, const SweepOutcome& outcome);

}  // namespace velmora2
