#include "measurement/SteppedDelivery.h"

#include <cmath>
#include <thread>

namespace velmora2 {

namespace {

// The worker's queue holds more than this many blocks.
constexpr int kBlocksBetweenWaits = 16;

}  // namespace

bool WaitForBlocks(const CDSCapture& engine, uint64_t count, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (engine.BlocksProcessed() < count) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

bool DeliverBlocks(SimBench& bench, const CDSCapture& engine, int blocks) {
    const uint64_t start = engine.BlocksProcessed();
    for (int i = 0; i < blocks; ++i) {
        if (bench.Step(1) != 1) return false;
        if ((i + 1) % kBlocksBetweenWaits == 0 && !WaitForBlocks(engine, start + i + 1))
            return false;
    }
    return WaitForBlocks(engine, start + blocks);
}

bool DeliverPeriod(SimBench& bench, const CDSCapture& engine, int periodMs) {
    const double frames = static_cast<double>(engine.SampleRate()) * periodMs / 1000.0;
    return DeliverBlocks(bench, engine, static_cast<int>(std::ceil(frames / kBlockFrames)));
}

}  // namespace velmora2
