// The per-block path of the worker: applies the requests of the user interface, stores the
// captured samples, shows the previous picture, oversamples, and runs the mode's trigger search,
// analysis and view into the back buffer. One pipeline per engine, used by its worker only.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

#include "analysis/NetworkSweep.h"
#include "analysis/SideThread.h"
#include "display/LogSweepCurve.h"
#include "display/SpectrumStage.h"
#include "display/Surface.h"
#include "engine/PrecisionRecord.h"
#include "engine/SampleBlock.h"
#include "engine/WorkerRequests.h"
#include "records/RuntimeState.h"

namespace velmora2 {

class BlockPipeline {
public:
    BlockPipeline(DrawingTarget& window, int sampleRate);

    struct Outcome {
        bool dropped = false;        // the block only applied a new record length
        bool stopGenerator = false;  // the network plot runs with the generator off
    };
    // One captured half (kBlockBytes) with the settings and requests taken at the block's start.
    Outcome Process(const uint8_t* bytes, const RuntimeState& settings,
                    const WorkerRequests& requests);

    // Input blocks lost since the engine started; shown on every picture while above 0.
    void SetInputLoss(uint64_t droppedBlocks) { inputLoss_ = droppedBlocks; }
    // The log sweep the network plot shows instead of the stepped sweep's points, or none.
    void ShowLogSweep(const std::shared_ptr<const LogSweepResult>& result);
    // A thread that takes one channel's share of each long record, or none.
    void UseSideThread(SideThread* side) { side_ = side; }
    // For blocks that come at the pace of a clock: at 96000 and 192000 Hz a record of eight
    // blocks or more is analysed in two or four shares, one per block from the block that
    // completes it, and drawn in the block after the last share, so that no block carries the
    // whole analysis and the picture. Off (the default), every record is analysed and drawn in
    // the block that completes it.
    void ShareLongRecords(bool on) { shareLongRecords_ = on; }

    // Applies a record length outside any block (before the worker runs). False when refused.
    bool ResizeRecord(int32_t length) { return ApplyRecordLength(length); }

    // The recording notice of the pictures that follow; the name must outlive them.
    void SetRecordingStatus(const RecordingStatus& recording) { recording_ = recording; }

    const SampleBlock& Samples() const { return samples_; }
    const WorkerState& State() const { return state_; }
    // Complete records that went through the spectrum analysis (readable from any thread).
    uint64_t RecordsAnalysed() const { return recordsAnalysed_.load(std::memory_order_acquire); }
    // The sweep table and results as of the last reset or measured point (readable from any
    // thread).
    SweepResults PublishedSweep() const;

private:
    void ApplyRequests(const WorkerRequests& requests);
    bool ApplyRecordLength(int32_t requested);
    void StoreSamples(const uint8_t* bytes);
    void OversampleBothChannels();
    // The stage of one engine mode: what the block found, through the mode's mapping, into the
    // back buffer; true when it painted a picture. `analysed`: this block is to draw an analysed
    // record.
    using DrawStage = bool (BlockPipeline::*)(bool analysed);
    struct ModeStage {
        int32_t mode;
        DrawStage draw;
        bool displayBuffers;  // refreshes the oversampled display buffers before it draws
    };
    static const ModeStage kModeStages[];
    static const ModeStage* StageOf(int32_t mode);
    bool DrawScope(bool analysed);
    bool DrawSpectrum(bool analysed);
    bool DrawLissajous(bool analysed);
    bool DrawNetworkPlot(bool analysed);
    // Starts the analysis of a record completed in spectrum mode or does the next share of the
    // one in analysis; true when this block is to draw an analysed record.
    bool AdvanceAnalysis();
    int AnalysisShares() const;
    void MeasureSweepPoint();
    void ReportPrecisionMemoryOnce();
    void PublishSweep();

    // Trigger search on the source channel, with the single shot frozen on its first crossing.
    struct Trigger {
        int32_t index;
        bool traceValid;
    };
    Trigger SearchTrigger();
    SpectrumResult Measured(const ChannelSpectrum& channel) const;

    DrawingTarget& window_;
    const int sampleRate_;
    std::unique_ptr<Surface> backBuffer_;
    const RuntimeState* settings_ = nullptr;  // the settings of the block being processed
    WorkerState state_;
    RecordingStatus recording_;
    SampleBlock samples_;
    std::atomic<uint64_t> recordsAnalysed_{0};
    uint64_t inputLoss_ = 0;
    SideThread* side_ = nullptr;
    bool shareLongRecords_ = false;
    bool recordAnalysedWhole_ = true;  // the last record begun was analysed in its own block
    bool drawShared_ = false;          // a record's last share ended in the block before
    NetworkSweep sweep_;
    std::shared_ptr<const LogSweepResult> logSweep_;
    std::optional<LogSweepCurve> logSweepCurve_;
    PrecisionRecord precision_;
    bool precisionMemoryReported_ = false;
    mutable std::mutex publishedSweepMutex_;
    SweepResults publishedSweep_;
};

}  // namespace velmora2
