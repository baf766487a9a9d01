// Test helpers for Qt: every test program here runs with one QApplication on the offscreen
// platform (set up before the first test), and may spin its event loop for a while.
#pragma once

#include <functional>

namespace velmora2::testing {

// Processes events until the condition holds or the limit runs out (a safety limit, not a timing
// check). Returns the condition's last value.
bool ProcessEventsUntil(const std::function<bool()>& condition, int limitMs = 5000);
// Processes events for about the given time.
void ProcessEventsFor(int ms);

}  // namespace velmora2::testing
