// Speed of the spectrum path: the cached, reordered transform against the literal reference, an
// outside complex FFT of the same size as a yardstick, and a whole record of both channels.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/CacheAlignedArray.h"
#include "analysis/Fft.h"
#include "analysis/SpectrumAnalyzer.h"
#include "reference/SpectrumReference.h"

#if defined(VELMORA2_HAVE_FFTW3) && __has_include(<fftw3.h>)
#include <fftw3.h>
#define VELMORA2_BENCH_FFTW3 1
#endif

namespace velmora2 {
namespace {

std::vector<double> TestRecord(int n) {
    std::vector<double> record(n);
    for (int i = 0; i < n; ++i)
        record[i] = std::round(12000 * std::sin(0.1309 * i) + 500 * std::sin(0.977 * i));
    return record;
}

// The record lengths at which a frame costs more than one captured block.
void RecordLengths(benchmark::internal::Benchmark* b) {
    b->RangeMultiplier(2)->Range(2048, 65536)->Unit(benchmark::kMicrosecond);
}

// The arrays the analyzer hands the transform, of the same kind (each starts on a cache line).
struct Buffers {
    CacheAlignedArray input, magnitude, re, im;
    explicit Buffers(int n) : input(n), magnitude(n), re(n), im(n) {
        const std::vector<double> record = TestRecord(n);
        std::copy(record.begin(), record.end(), input.begin());
    }
};

void ComputeSpectrumCached(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Buffers b(n);
    const FftPlan plan(n);
    for (auto _ : state) {
        plan.ComputeSpectrum(b.input.data(), b.magnitude.data(), 0, b.re.data(), b.im.data());
        benchmark::DoNotOptimize(b.magnitude.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ComputeSpectrumCached)->Apply(RecordLengths);

void ComputeSpectrumReference(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Buffers b(n);
    for (auto _ : state) {
        reference::ComputeSpectrum(n, b.input.data(), b.magnitude.data(), 0, b.re.data(),
                                   b.im.data());
        benchmark::DoNotOptimize(b.magnitude.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ComputeSpectrumReference)->Apply(RecordLengths);

// What the worker does per complete record: both windows, both transforms and both channels'
// measurements, with the averaging on top when the second argument is 1.
void AnalyseBothChannels(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool averaging = state.range(1) != 0;
    SpectrumAnalyzer analyzer(n);
    const std::vector<double> record = TestRecord(n);
    std::copy(record.begin(), record.end(), analyzer.Left().capture.begin());
    std::copy(record.begin(), record.end(), analyzer.Right().capture.begin());
    int counter = 1;
    for (auto _ : state) {
        // A counter that never reaches its limit keeps the averaging in its costlier phase.
        analyzer.AnalyseRecord("black-h", 48000, averaging, 1 << 30, counter);
        benchmark::DoNotOptimize(analyzer.Left().mainFrequency);
    }
}
BENCHMARK(AnalyseBothChannels)
    ->ArgsProduct({benchmark::CreateRange(2048, 65536, 2), {0, 1}})
    ->Unit(benchmark::kMicrosecond);

#ifdef VELMORA2_BENCH_FFTW3
void OutsideComplexFft(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    fftw_complex* in = fftw_alloc_complex(n);
    fftw_complex* out = fftw_alloc_complex(n);
    fftw_plan plan = fftw_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_MEASURE);
    const std::vector<double> record = TestRecord(n);
    for (int i = 0; i < n; ++i) {
        in[i][0] = record[i];
        in[i][1] = 0;
    }
    for (auto _ : state) {
        fftw_execute(plan);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
}
BENCHMARK(OutsideComplexFft)->Apply(RecordLengths);
#endif

}  // namespace
}  // namespace velmora2
