// The per-block path allocates nothing once it runs (a record-length change is the exception):
// every global allocation is counted while blocks go through the pipeline.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "audio/SoundSystem.h"
#include "engine/BlockPipeline.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
}  // namespace

// malloc and free behind new and delete are a matching pair; the compiler cannot see that.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace velmora2 {
namespace {

// Draws nowhere: the views' own work is measured, not a test surface's bookkeeping.
class NullSurface final : public Surface {
public:
    int Width() const override { return 481; }
    int Height() const override { return 361; }
    void SetPen(Rgb, PenStyle) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void FillPolygon(std::span<const Point>, Rgb) override {}
    void FillRect(int, int, int, int, Rgb) override {}
    void DrawText(int, int, std::string_view, Rgb) override {}
};

class NullTarget final : public DrawingTarget {
public:
    std::unique_ptr<Surface> CreateSurface(int, int, Rgb) override {
        return std::make_unique<NullSurface>();
    }
    void CopyToWindow(const Surface&, int, int) override {}
};

std::vector<uint8_t> ToneBlock() {
    std::vector<uint8_t> bytes(kBlockBytes);
    for (int f = 0; f < kBlockFrames; ++f) {
        const auto v = static_cast<int16_t>(9000.0 * std::sin(2.0 * M_PI * f / 48.0));
        const int16_t frame[2] = {v, v};
        std::memcpy(&bytes[f * 4], frame, 4);
    }
    return bytes;
}

struct ModeCase {
    const char* name;
    int32_t mode;
    bool logAxis;
    bool averaging;
    int32_t oversampling;
    bool precision = false;  // the precision read-out on: its first record in the warm-up, and a
                             // whole record and its analysis counted
};

class SteadyBlocks : public ::testing::TestWithParam<ModeCase> {};

TEST_P(SteadyBlocks, AllocateNothing) {
    const ModeCase& c = GetParam();
    NullTarget window;
    BlockPipeline pipeline(window, 48000);
    RuntimeState settings;
    settings.mode = c.mode;
    settings.logAxis = c.logAxis;
    settings.averagingOn = c.averaging;
    settings.oversampling = c.oversampling;
    settings.precision.on = c.precision;
    settings.triggerEnabled = true;
    settings.cursorShown = {true, true, true, true, true, true};
    settings.cursors = {30, 90, 30, 90, 10, 20};
    WorkerRequests requests;
    requests.recordLength = 8192;
    requests.setAveragingCounter = c.averaging;
    requests.averagingCounter = 1;
    const std::vector<uint8_t> block = ToneBlock();

    // Warm-up: the new record length, and whatever the first records prepare.
    pipeline.Process(block.data(), settings, requests);
    const int blocks = c.precision ? 40 : 16;
    for (int i = 0; i < blocks / 2; ++i) pipeline.Process(block.data(), settings, WorkerRequests{});

    allocations = 0;
    counting = true;
    for (int i = 0; i < blocks; ++i) pipeline.Process(block.data(), settings, WorkerRequests{});
    counting = false;
    EXPECT_EQ(allocations.load(), 0);

    // The exception: a new record length reallocates every array sized from it.
    WorkerRequests longer;
    longer.recordLength = 16384;
    counting = true;
    pipeline.Process(block.data(), settings, longer);
    counting = false;
    EXPECT_GT(allocations.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SteadyBlocks,
    ::testing::Values(ModeCase{"ScopeOsr4", kModeScope, false, false, 4},
                      ModeCase{"SpectrumLinear", kModeSpectrum, false, false, 1},
                      ModeCase{"SpectrumLogAveraged", kModeSpectrum, true, true, 2},
                      ModeCase{"SpectrumPrecision", kModeSpectrum, false, false, 1, true},
                      ModeCase{"Lissajous", kModeLissajous, false, false, 1},
                      ModeCase{"NetworkPlot", kModeNetworkPlot, false, false, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora2
