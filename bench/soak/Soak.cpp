// velmora2_soak: the engine on the simulated bench's real-time clock at 192000 Hz in spectrum mode
// with 65536 points, averaging on and both traces, drawing into a real picture, for a given time
// while another thread turns every knob at random. Prints the blocks processed and dropped and the
// worst and 99.9th-percentile block time as a fraction of the block period, and checks the
// recording made during the run.
#include <QGuiApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio/sim/SimBench.h"
#include "bench/soak/SetterStorm.h"
#include "engine/CDSCapture.h"
#include "qt/QtClientArea.h"
#include "wav/WavReader.h"

namespace {

using namespace velmora2;
using Clock = std::chrono::steady_clock;

constexpr int kRate = 192000;
constexpr double kBlockPeriodSeconds = static_cast<double>(kBlockFrames) / kRate;

struct Options {
    double seconds = 600.0;
    std::filesystem::path recordings = std::filesystem::temp_directory_path() / "velmora2-soak";
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--minutes") == 0 && hasValue) {
            options.seconds = 60.0 * std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--seconds") == 0 && hasValue) {
            options.seconds = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--recordings") == 0 && hasValue) {
            options.recordings = argv[++i];
        } else {
            return false;
        }
    }
    return options.seconds > 0.0;
}

// A 1 kHz tone with a little second and third harmonic and noise on the left, the same tone a
// little lower and later on the right: something for every read-out to measure.
void SoakSignal(int64_t frame, double& left, double& right) {
    const double t = static_cast<double>(frame) / kRate;
    const double w = 2.0 * M_PI * 1000.0;
    const double noise = static_cast<double>((frame * 7919) % 61 - 30);
    left = 12000.0 * std::sin(w * t) + 60.0 * std::sin(2.0 * w * t) + 30.0 * std::sin(3.0 * w * t) +
           noise;
    right = 9000.0 * std::sin(w * t - 0.3) + noise;
}

// The p-quantile (0..1) of the values, which it reorders.
double Quantile(std::vector<double>& values, double p) {
    if (values.empty()) return 0.0;
    const auto rank = static_cast<size_t>(std::ceil(p * static_cast<double>(values.size()))) - 1;
    const size_t index = std::min(rank, values.size() - 1);
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index),
                     values.end());
    return values[index];
}

// The recording is a complete WAV file whose sizes match the file and whose data is every block
// processed while it was open (give or take the block in flight at the start and the stop).
bool CheckRecording(int started, const std::filesystem::path& path, uint64_t blocksProcessed) {
    if (started <= 0) {
        std::printf("recording: could not start\n");
        return false;
    }
    std::error_code error;
    const uintmax_t fileBytes = std::filesystem::file_size(path, error);
    const WavContents contents = ReadWavFile(path);
    const uint64_t dataBytes = contents.data.size();
    const uint64_t blocks = dataBytes / kBlockBytes;
    const bool sizesMatch = !error && contents.fault == WavFault::None &&
                            fileBytes == 46 + dataBytes && dataBytes % kBlockBytes == 0;
    const bool blocksMatch = blocks + 1 >= blocksProcessed && blocks <= blocksProcessed + 1;
    std::printf("recording: %s, %ju bytes, %llu blocks of data (%llu processed meanwhile): %s\n",
                path.filename().c_str(), static_cast<uintmax_t>(fileBytes),
                static_cast<unsigned long long>(blocks),
                static_cast<unsigned long long>(blocksProcessed),
                sizesMatch && blocksMatch ? "sizes check out" : "SIZES DO NOT MATCH");
    std::filesystem::remove(path, error);
    return sizesMatch && blocksMatch;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: velmora2_soak [--minutes M | --seconds S] [--recordings DIR]\n"
                     "  (default 10 minutes, recording into %s)\n",
                     options.recordings.c_str());
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    SimBenchOptions benchOptions;
    benchOptions.realTimeClock = true;
    SimBench bench(benchOptions);
    bench.SetInputSignal(SoakSignal);
    QtClientArea window(nullptr, QSize(705, 585), QColor(240, 240, 240));
    std::error_code error;
    std::filesystem::create_directories(options.recordings, error);
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, kRate, FileSearchPlaces{},
                      options.recordings);

    const SoakConfiguration configuration;
    engine.SetMode(configuration.mode);
    engine.SetRecordLength(configuration.recordLength);
    engine.SetAveraging(true, configuration.averages);
    engine.SetOutputs(true, true, false);

    // Written by the worker only; read once it has stopped.
    std::vector<double> blockFractions;
    blockFractions.reserve(static_cast<size_t>(options.seconds / kBlockPeriodSeconds * 1.2) + 1024);
    engine.SetBlockObserver([&](const CDSCapture::ProcessedBlock& block) {
        if (blockFractions.size() < blockFractions.capacity()) {
            blockFractions.push_back(std::chrono::duration<double>(block.processingTime).count() /
                                     kBlockPeriodSeconds);
        }
    });
    std::atomic<bool> deviceLost{false};
    engine.SetDeviceLostHandler([&] { deviceLost = true; });

    int maxRate = 0;
    const Status started = engine.Start(maxRate);
    if (Failed(started)) {
        std::fprintf(stderr, "velmora2_soak: the engine did not start (%08X)\n",
                     static_cast<unsigned>(started));
        return 1;
    }
    std::printf("soak: %.0f s at %d Hz, spectrum mode, %d points, averaging %d, both traces\n",
                options.seconds, kRate, configuration.recordLength, configuration.averages);
    std::fflush(stdout);

    const int recording = engine.StartRecording();
    const std::filesystem::path recordingPath = options.recordings / engine.Recording().fileName;
    const uint64_t blocksBeforeRecording = engine.BlocksProcessed();
    uint64_t setterCalls = 0;
    const auto start = Clock::now();
    {
        SetterStorm storm(engine, configuration, 20261208);
        const auto end = start + std::chrono::duration_cast<Clock::duration>(
                                     std::chrono::duration<double>(options.seconds));
        while (Clock::now() < end && !deviceLost.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        setterCalls = storm.Calls();
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    engine.StopRecording();
    const uint64_t blocksRecorded = engine.BlocksProcessed() - blocksBeforeRecording;
    const bool stopped = engine.Stop();
    const bool recordingSound = CheckRecording(recording, recordingPath, blocksRecorded);

    const uint64_t processed = engine.BlocksProcessed();
    const uint64_t dropped = engine.BlocksDropped();
    const uint64_t records = engine.RecordsAnalysed();
    const double worst = blockFractions.empty()
                             ? 0.0
                             : *std::max_element(blockFractions.begin(), blockFractions.end());
    const double p999 = Quantile(blockFractions, 0.999);
    const double p50 = Quantile(blockFractions, 0.5);
    std::printf("elapsed: %.1f s\n", elapsed);
    std::printf("blocks processed: %llu (expected about %.0f)\n",
                static_cast<unsigned long long>(processed), elapsed / kBlockPeriodSeconds);
    std::printf("blocks dropped: %llu\n", static_cast<unsigned long long>(dropped));
    std::printf("records analysed: %llu\n", static_cast<unsigned long long>(records));
    std::printf("setter calls: %llu\n", static_cast<unsigned long long>(setterCalls));
    std::printf("block time / block period: median %.4f, 99.9th percentile %.4f, worst %.4f\n", p50,
                p999, worst);
    std::printf("device lost: %s, worker stopped: %s\n", deviceLost.load() ? "yes" : "no",
                stopped ? "yes" : "no");
    return dropped == 0 && !deviceLost.load() && stopped && recordingSound ? 0 : 1;
}
