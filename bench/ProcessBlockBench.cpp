// The cost of one captured block through the whole pipeline, drawing into the real QImage
// surface, as a fraction of the block period at 192 kHz (2048 frames = 10.7 ms): below 1 the
// worker keeps up. One benchmark per mode, each with the mean and the worst timed block, by the
// wall clock and by the thread's own CPU time.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QSize>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <vector>

#include "analysis/SideThread.h"
#include "audio/SoundSystem.h"
#include "engine/BlockPipeline.h"
#include "qt/QtClientArea.h"

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

using Clock = std::chrono::steady_clock;

// The CPU time of the calling thread: unlike the wall clock it does not count the time other
// programs on a shared machine take the processor away.
double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// The timed blocks of one benchmark, wall clock and thread CPU time, for the mean and the worst
// block as fractions of the 192 kHz block period (plain numbers), and the best block's CPU time:
// what the block costs when nothing else on the machine gets in its way.
class BlockTimes {
public:
    explicit BlockTimes(benchmark::State& state) : state_(state) {}

    // Times one block as the benchmark's manual iteration time.
    template <typename Work>
    void TimeIteration(Work&& work) {
        const double cpuStart = ThreadCpuSeconds();
        const auto start = Clock::now();
        work();
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        const double cpu = ThreadCpuSeconds() - cpuStart;
        state_.SetIterationTime(wall);
        wallTotal_ += wall;
        cpuTotal_ += cpu;
        wallWorst_ = std::max(wallWorst_, wall);
        cpuWorst_ = std::max(cpuWorst_, cpu);
        cpuBest_ = std::min(cpuBest_, cpu);
    }

    // Sets the counters; once, after the benchmark's loop.
    void Report() const {
        const double blocks = static_cast<double>(state_.iterations());
        state_.counters["of_192k_block"] = wallTotal_ / blocks / kBlockPeriodSeconds;
        state_.counters["worst_of_192k_block"] = wallWorst_ / kBlockPeriodSeconds;
        state_.counters["cpu_of_192k_block"] = cpuTotal_ / blocks / kBlockPeriodSeconds;
        state_.counters["worst_cpu_of_192k_block"] = cpuWorst_ / kBlockPeriodSeconds;
        state_.counters["best_cpu_of_192k_block"] = cpuBest_ / kBlockPeriodSeconds;
    }

private:
    benchmark::State& state_;
    double wallTotal_ = 0.0;
    double cpuTotal_ = 0.0;
    double wallWorst_ = 0.0;
    double cpuWorst_ = 0.0;
    double cpuBest_ = 1e9;
};

// The pipeline on a real QImage window, with the side thread the engine's worker gives it.
struct BenchPipeline {
    BenchPipeline() { pipeline.UseSideThread(&side); }

    QtClientArea window{nullptr, QSize(705, 585), QColor(240, 240, 240)};
    SideThread side;
    BlockPipeline pipeline{window, kRate};
};

// Every benchmark draws its first picture untimed: the first texts of a program run render their
// glyphs into the font's cache, once per run and not once per block.

// Times every block of the sine through the pipeline, after the untimed first one.
void TimeEveryBlock(benchmark::State& state, BlockPipeline& pipeline,
                    const RuntimeState& settings) {
    const std::vector<uint8_t> block = SineBlock();
    pipeline.Process(block.data(), settings, {});
    BlockTimes times(state);
    for (auto _ : state) times.TimeIteration([&] { pipeline.Process(block.data(), settings, {}); });
    times.Report();
}

void ScopeBlock(benchmark::State& state) {
    BenchPipeline bench;
    RuntimeState settings;
    settings.mode = kModeScope;
    settings.oversampling = 4;
    settings.triggerEnabled = true;
    settings.cursors = {60, 240, 0, 0, 0, 0};
    settings.cursorShown = {true, true, false, false, false, false};
    TimeEveryBlock(state, bench.pipeline, settings);
}
BENCHMARK(ScopeBlock)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Spectrum mode with 65536-sample records and the averaging on. As the engine runs it on a
// device (second argument 1), each record's analysis (windows, transforms, measures, averages
// both channels) is shared out over the block that completes the record and the three after it,
// and the block after them draws; as for a file read as fast as it is taken (0), the block that
// completes the record does it all. The right channel's part runs on the side thread (first
// argument 1) or, as when the side thread is late or resting, on the worker too (0). Every block
// is timed, those that only store their slice too.
void SpectrumBlock(benchmark::State& state) {
    BenchPipeline bench;
    BlockPipeline& pipeline = bench.pipeline;
    if (state.range(0) == 0) pipeline.UseSideThread(nullptr);
    pipeline.ShareLongRecords(state.range(1) == 1);
    RuntimeState settings;
    settings.mode = kModeSpectrum;
    settings.averagingOn = true;
    // Never reached, so every record takes the costlier path of the running average.
    settings.averagingLength = 1 << 30;
    const std::vector<uint8_t> block = SineBlock();
    WorkerRequests resize;
    resize.recordLength = 65536;
    resize.setAveragingCounter = true;  // as switching the averaging on does
    resize.averagingCounter = 1;
    pipeline.Process(block.data(), settings, resize);
    for (int i = 0; i < 2 * 65536 / kBlockFrames; ++i) pipeline.Process(block.data(), settings, {});
    TimeEveryBlock(state, pipeline, settings);
}
BENCHMARK(SpectrumBlock)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// A network sweep at its record length of one block: every block is a complete record that is
// analysed and drawn while its point settles, and the last block of a point measures it. The
// points follow each other through the table and the sweep starts over after the last one.
// Every block is timed.
void NetworkSweepBlock(benchmark::State& state) {
    BenchPipeline bench;
    BlockPipeline& pipeline = bench.pipeline;
    RuntimeState settings;
    settings.mode = kModeSpectrum;
    settings.generatorOn = true;
    settings.peakSearch = true;
    const std::vector<uint8_t> block = SineBlock();
    WorkerRequests first;
    first.recordLength = kBlockFrames;
    pipeline.Process(block.data(), settings, first);
    pipeline.Process(block.data(), settings, {});
    int point = -1;
    bool pointMeasured = true;
    BlockTimes times(state);
    for (auto _ : state) {
        WorkerRequests requests;
        if (pointMeasured) {
            point = (point + 1) % settings.sweepPoints;
            requests.resetSweep = point == 0;
            requests.startSweepPoint = true;
            requests.sweepPointIndex = point;
        }
        times.TimeIteration([&] { pipeline.Process(block.data(), settings, requests); });
        pointMeasured = pipeline.PublishedSweep().measured[point];
    }
    times.Report();
}
BENCHMARK(NetworkSweepBlock)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The X-Y figure of two sines a quarter period apart (a circle), oversampled 4 times, with both
// cursors and their readouts.
void LissajousBlock(benchmark::State& state) {
    BenchPipeline bench;
    RuntimeState settings;
    settings.mode = kModeLissajous;
    settings.oversampling = 4;
    settings.channelDelay = kRate / 1000 / 4;
    settings.cursors[kLissajousCursors] = -60;
    settings.cursors[kLissajousCursors + 1] = 90;
    settings.cursorShown[kLissajousCursors] = true;
    settings.cursorShown[kLissajousCursors + 1] = true;
    TimeEveryBlock(state, bench.pipeline, settings);
}
BENCHMARK(LissajousBlock)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora2
