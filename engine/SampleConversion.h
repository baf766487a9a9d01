// Turning one captured block into the raw sample records, and where the next block goes.
#pragma once

#include <cstdint>

namespace velmora2 {

// Writes the 2048 frames of a block into one 2048-sample slice of each raw record. The right
// channel is shifted by `delay` samples (-5 .. 5): with delay > 0 the first `delay` positions of
// the right slice keep their previous contents and the last right samples are dropped; with
// delay < 0 the reverse.
void ConvertBlock(const uint8_t* frames, int delay, double* leftSlice, double* rightSlice);

// The slice the next block fills: records longer than one block are assembled slice by slice in
// spectrum mode; otherwise every block starts at slice 0.
int NextRecordPosition(int position, int mode, int recordLength);

}  // namespace velmora2
