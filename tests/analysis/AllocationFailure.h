// Allocation failure on demand for this test program: the global allocation functions are
// replaced so that a chosen allocation throws std::bad_alloc.
#pragma once

namespace velmora2::testing {

// The allocation after `count` successful ones fails (once); a negative count disarms.
void FailAllocationAfter(long count);

}  // namespace velmora2::testing
