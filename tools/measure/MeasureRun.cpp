#include "tools/measure/MeasureRun.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "analysis/SpectrumMeasurements.h"
#include "audio/file/WavFileSound.h"
#include "display/SpectrumReadout.h"
#include "display/SpectrumStage.h"
#include "engine/BlockPipeline.h"
#include "engine/CDSCapture.h"
#include "settings/SettingsFile.h"
#include "tools/measure/PictureTarget.h"

namespace velmora2 {

namespace {

// A safety limit for a stalled engine, far above any real run (65536-point averages included).
constexpr auto kRunLimit = std::chrono::minutes(10);

SettingsRecord SettingsFor(const MeasureOptions& o) {
    SettingsRecord record;
    record.fftn = o.fftSize;
    record.winfunc = o.window;
    record.hpf = o.highPass;
    record.aveenb = o.average > 1;
    if (o.average > 1) record.maxaven = o.average;
    return record;
}

ChannelReport ReportChannel(const ChannelSpectrum& channel, int sampleRate, bool highPass) {
    const DistortionFigures figures = MeasureDistortion(channel, sampleRate, highPass);
    ChannelReport report;
    report.mainFrequency = channel.mainFrequency;
    report.thd = figures.thd;
    report.thdPlusNoise = figures.thdPlusNoise;
    report.signalToNoise = figures.signalToNoise;
    report.harmonicCount = channel.harmonicCount;
    return report;
}

SpectrumResult AnalysisOf(const ChannelSpectrum& channel, const ChannelReport& report) {
    return {channel.magnitude,
            channel.size,
            {report.mainFrequency, report.thd, report.thdPlusNoise, report.signalToNoise}};
}

// The read-out texts of a channel as the spectrum view draws them: none for a hidden trace.
std::vector<std::string> ReadoutTexts(const SpectrumChannel& channel,
                                      const SpectrumReadoutSwitches& switches) {
    std::vector<std::string> texts;
    if (!channel.traceShown) return texts;
    for (const SpectrumReadoutLine& line : LayOutSpectrumReadout(channel, switches))
        texts.emplace_back(line.text.View());
    return texts;
}

// The read-outs of the picture the engine draws from these two channels' analysis.
void AddReadouts(const RuntimeState& settings, const SampleBlock& samples, int sampleRate,
                 ChannelReport& left, ChannelReport& right) {
    const SpectrumRecord record{AnalysisOf(samples.records.Left(), left),
                                AnalysisOf(samples.records.Right(), right), sampleRate};
    const SpectrumPicture picture = MakeSpectrumPicture(settings, record);
    left.readout = ReadoutTexts(picture.left, picture.view.readout);
    right.readout = ReadoutTexts(picture.right, picture.view.readout);
}

}  // namespace

uint64_t BlocksForRecords(int n, int records) {
    return static_cast<uint64_t>(std::max(1, n / kBlockFrames)) * records;
}

uint64_t FramesForRecords(int n, int records) {
    return (BlocksForRecords(n, records) - 1) * kBlockFrames + std::min(n, kBlockFrames);
}

int RunMeasurement(const MeasureOptions& options, MeasureResult& result, std::string& error) {
    std::unique_ptr<WavInput> input = WavInput::Open(options.input, error);
    if (!input) return 1;

    const bool spectrum = options.command == MeasureCommand::Spectrum;
    const int records = spectrum ? options.average : 1;
    const int n = spectrum ? options.fftSize : kBlockFrames;
    const uint64_t needed = BlocksForRecords(n, records);
    if (spectrum && input->Frames() < FramesForRecords(n, records)) {
        error = options.input + ": holds " + std::to_string(input->Frames()) + " frames; " +
                std::to_string(records) + " record(s) of " + std::to_string(n) + " points need " +
                std::to_string(FramesForRecords(n, records));
        return 1;
    }
    result.sampleRate = input->SampleRate();

    // Held together so that an engine whose worker would not end is left with everything it uses.
    struct Rig {
        Rig(std::unique_ptr<WavInput> input, uint64_t blocks, bool pixels, int rate)
            : sound(std::move(input), {WavPacing::AsProcessed, blocks}),
              target(pixels),
              engine(sound, target, DeviceId{}, DeviceId{}, rate) {}
        WavFileSound sound;
        PictureTarget target;
        CDSCapture engine;
    };
    auto rig =
        std::make_unique<Rig>(std::move(input), needed, !options.png.empty(), result.sampleRate);
    CDSCapture& engine = rig->engine;
    engine.SetInitialisationTrace(false);
    ApplySettingsToEngine(SettingsFor(options), engine);
    engine.SetMode(spectrum ? kModeSpectrum : kModeScope);
    if (!spectrum) {
        engine.SetTriggerSource(options.triggerSource);
        engine.SetTriggerLevel(options.triggerLevel);
        engine.SetTriggerMode(options.triggerRising, true);
    }
    const RuntimeState settings = engine.Settings();

    // Runs on the worker after every block; the picture and buffers are the worker's own there.
    std::atomic<uint64_t> seen{0};
    std::atomic<bool> captured{false};
    engine.SetBlockObserver([&, target = &rig->target](const CDSCapture::ProcessedBlock& block) {
        if (seen.fetch_add(1) + 1 != needed) return;
        const SampleBlock& samples = block.samples;
        if (spectrum) {
            result.left =
                ReportChannel(samples.records.Left(), result.sampleRate, options.highPass);
            result.right =
                ReportChannel(samples.records.Right(), result.sampleRate, options.highPass);
            AddReadouts(settings, samples, result.sampleRate, result.left, result.right);
        }
        result.triggerIndex = samples.triggerIndex;
        result.triggerFound = options.triggerSource == 0 || samples.triggerIndex != 0;
        CaptureModeData(samples, settings, result.sampleRate, result.data);
        if (const PictureSurface* picture = target->Picture()) result.picture = picture->Pixels();
        captured.store(true, std::memory_order_release);
    });

    int deviceMaxRate = 0;
    const Status started = engine.Start(deviceMaxRate);
    if (Failed(started)) {
        error = options.input + ": the engine could not capture from it (error " +
                StatusHex(started) + ")";
        return 1;
    }
    const auto deadline = std::chrono::steady_clock::now() + kRunLimit;
    while (!captured.load(std::memory_order_acquire) &&
           std::chrono::steady_clock::now() < deadline &&
           !(rig->sound.Finished() && engine.BlocksProcessed() >= rig->sound.BlocksDelivered()))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (!engine.Stop()) {
        (void)rig.release();  // its worker may still run: never free what it uses
        error = options.input + ": the engine did not stop";
        return 1;
    }
    result.blocksProcessed = engine.BlocksProcessed();
    result.blocksDropped = engine.BlocksDropped();
    if (!captured.load(std::memory_order_acquire)) {
        error = options.input + ": the engine did not finish the measurement (" +
                std::to_string(result.blocksProcessed) + " of " + std::to_string(needed) +
                " blocks processed)";
        return 1;
    }
    return 0;
}

}  // namespace velmora2
