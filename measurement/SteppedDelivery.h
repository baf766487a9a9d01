// Running an engine on the stepped simulated bench as fast as it goes: the bench delivers blocks
// on demand and waits for the engine's worker to take them, so no input is ever lost.
#pragma once

#include <chrono>
#include <cstdint>

#include "audio/sim/SimBench.h"
#include "engine/CDSCapture.h"

namespace velmora2 {

// Waits (a safety limit for a stalled worker, not a timing check) until the engine has processed
// `count` blocks.
bool WaitForBlocks(const CDSCapture& engine, uint64_t count,
                   std::chrono::seconds limit = std::chrono::seconds(20));

// Steps the bench block by block, letting the worker catch up so that its queue never overflows.
// False when the bench stopped delivering or the worker did not keep up within the limit.
bool DeliverBlocks(SimBench& bench, const CDSCapture& engine, int blocks);

// The blocks the engine captures at its rate while `periodMs` pass (the last one begun counts),
// delivered as DeliverBlocks does: a timer's period on the stepped clock.
bool DeliverPeriod(SimBench& bench, const CDSCapture& engine, int periodMs);

}  // namespace velmora2
