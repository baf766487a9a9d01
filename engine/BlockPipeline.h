// The per-block path of the worker: applies the requests of the user interface, stores the
// captured samples, shows the previous picture, oversamples, and runs the mode's trigger search,
// analysis and view into the back buffer. One pipeline per engine, used by its worker only.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "display/SpectrumViewState.h"
#include "display/Surface.h"
#include "engine/RuntimeState.h"
#include "engine/SampleBlock.h"

namespace velmora2 {

class BlockPipeline {
public:
    static constexpr int kPictureWidth = 481;
    static constexpr int kPictureHeight = 361;
    static constexpr int kPictureX = 20;
    static constexpr int kPictureY = 20;

    BlockPipeline(DrawingTarget& window, int sampleRate);

    struct Outcome {
        bool dropped = false;        // the block only applied a new record length
        bool stopGenerator = false;  // the network plot runs with the generator off
    };
    // One captured half (kBlockBytes) with the settings and requests taken at the block's start.
    Outcome Process(const uint8_t* bytes, const RuntimeState& settings,
                    const WorkerRequests& requests);

    const SampleBlock& Samples() const { return samples_; }
    const WorkerState& State() const { return state_; }
    // Complete records that went through the spectrum analysis (readable from any thread).
    uint64_t RecordsAnalysed() const { return recordsAnalysed_.load(std::memory_order_acquire); }

private:
    void ApplyRequests(const WorkerRequests& requests);
    bool ApplyRecordLength(int32_t requested);
    void StoreSamples(const uint8_t* bytes);
    void OversampleBothChannels();
    void DrawScopePicture();
    void AnalyseAndDrawSpectrum();
    SpectrumChannel SpectrumChannelView(const ChannelSpectrum& channel, int y0, int32_t dbBottom,
                                        Rgb color, bool isLeft, bool shown) const;
    void DrawLissajousPicture();

    DrawingTarget& window_;
    const int sampleRate_;
    std::unique_ptr<Surface> backBuffer_;
    const RuntimeState* settings_ = nullptr;  // the settings of the block being processed
    WorkerState state_;
    SampleBlock samples_;
    std::atomic<uint64_t> recordsAnalysed_{0};
};

}  // namespace velmora2
