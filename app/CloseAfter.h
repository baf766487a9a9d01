// Scripted runs (the smoke test) close the program by themselves: VELMORA2_CLOSE_AFTER_MS=<ms>
// closes the main window that long after the event loop starts, as the user would.
#pragma once

#include <optional>

namespace velmora2 {

constexpr const char* kCloseAfterVariable = "VELMORA2_CLOSE_AFTER_MS";

// Unset: none. A value that is not a whole number of milliseconds above 0 is reported in one line
// on standard error and ignored.
std::optional<int> CloseAfterFromEnvironment();

}  // namespace velmora2
