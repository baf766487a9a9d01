// The cost of one captured block through the whole pipeline, drawing into the real QImage
// surface, as a fraction of the block period at 192 kHz (2048 frames = 10.7 ms): below 1 the
// worker keeps up.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include <QColor>
#include <QSize>

#include "engine/BlockPipeline.h"
#include "platform/SoundSystem.h"
#include "platform/qt/QtClientArea.h"

namespace velmora2 {
namespace {

constexpr int kRate = 192000;
constexpr double kBlockPeriodSeconds = static_cast<double>(kBlockFrames) / kRate;

// A 1 kHz sine on both channels, half full scale.
std::vector<uint8_t> SineBlock() {
    std::vector<uint8_t> bytes(kBlockBytes);
    for (int f = 0; f < kBlockFrames; ++f) {
        const auto v = static_cast<int16_t>(16000.0 * std::sin(2.0 * M_PI * 1000.0 * f / kRate));
        const int16_t frame[2] = {v, v};
        std::memcpy(&bytes[f * 4], frame, 4);
    }
    return bytes;
}

// Seconds per iteration divided by the block period.
benchmark::Counter FractionOfBlockPeriod() {
    return benchmark::Counter(kBlockPeriodSeconds,
                              benchmark::Counter::kIsIterationInvariantRate |
                                  benchmark::Counter::kInvert);
}

void ScopeBlock(benchmark::State& state) {
    QtClientArea window(nullptr, QSize(705, 585), QColor(240, 240, 240));
    BlockPipeline pipeline(window, kRate);
    RuntimeState settings;
    settings.mode = kModeScope;
    settings.oversampling = 4;
    settings.triggerEnabled = true;
    settings.cursors = {60, 240, 0, 0, 0, 0};
    settings.cursorShown = {true, true, false, false, false, false};
    const std::vector<uint8_t> block = SineBlock();
    for (auto _ : state) pipeline.Process(block.data(), settings, WorkerRequests{});
    state.counters["of_192k_block"] = FractionOfBlockPeriod();
}
BENCHMARK(ScopeBlock)->Unit(benchmark::kMicrosecond);

// The block that completes a 65536-sample record: windows, transforms, measures and draws both
// channels. The 31 blocks that only store their slice are not timed.
void SpectrumRecordBlock(benchmark::State& state) {
    QtClientArea window(nullptr, QSize(705, 585), QColor(240, 240, 240));
    BlockPipeline pipeline(window, kRate);
    RuntimeState settings;
    settings.mode = kModeSpectrum;
    const std::vector<uint8_t> block = SineBlock();
    WorkerRequests resize;
    resize.recordLength = 65536;
    pipeline.Process(block.data(), settings, resize);
    const int slices = 65536 / kBlockFrames;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < slices - 1; ++i)
            pipeline.Process(block.data(), settings, WorkerRequests{});
        state.ResumeTiming();
        pipeline.Process(block.data(), settings, WorkerRequests{});
    }
    state.counters["of_192k_block"] = FractionOfBlockPeriod();
}
BENCHMARK(SpectrumRecordBlock)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora2
