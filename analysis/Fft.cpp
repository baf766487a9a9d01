#include "analysis/Fft.h"

#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "analysis/Lanes.h"

namespace velmora2 {

namespace {

// Not pi to full precision: the read-out transform's twiddle factors are defined with this value.
constexpr double kReadoutPi = 3.1415928;
constexpr double kExactPi = 3.14159265358979323846;

// One or four neighbouring butterflies at once.
using Scalar = double;

// t = w X[b]; X[b] = X[a] - t; X[a] = X[a] + t.
template <typename V>
[[gnu::always_inline]] inline void Butterfly(const V& wr, const V& wi, V& ar, V& ai, V& br, V& bi) {
    const V tr = wr * br - wi * bi;
    const V ti = wr * bi + wi * br;
    br = ar - tr;
    bi = ai - ti;
    ar = ar + tr;
    ai = ai + ti;
}

struct StageTwiddles {
    const double* re;
    const double* im;
};

// Stage half-spans h, 2h, ... in one pass. The 2^S points g+k, g+k+h, ..., g+k+(2^S-1)h are
// closed under S consecutive stages, so doing those stages on them at once applies exactly the
// same butterflies to exactly the same values as S passes over the whole array would.
template <typename V, int S>
[[gnu::always_inline]] inline void FusedStages(double* re, double* im, int n, int h,
                                               const StageTwiddles* twiddles) {
    constexpr int lanes = sizeof(V) / sizeof(double);
    constexpr int points = 1 << S;
    for (int g = 0; g < n; g += points * h) {
        for (int k = 0; k < h; k += lanes) {
            V r[points], i[points];
#pragma GCC unroll 8
            for (int p = 0; p < points; ++p) {
                Load(r[p], re + g + p * h + k);
                Load(i[p], im + g + p * h + k);
            }
            // Stage s pairs point p with p + 2^s; their twiddle is entry k + (p mod 2^s) h.
#pragma GCC unroll 2
            for (int s = 0; s < S; ++s) {
                const int span = 1 << s;
#pragma GCC unroll 8
                for (int p = 0; p < points; ++p) {
                    if (p & span) continue;
                    const int offset = k + (p & (span - 1)) * h;
                    V wr, wi;
                    Load(wr, twiddles[s].re + offset);
                    Load(wi, twiddles[s].im + offset);
                    Butterfly(wr, wi, r[p], i[p], r[p + span], i[p + span]);
                }
            }
#pragma GCC unroll 8
            for (int p = 0; p < points; ++p) {
                Store(re + g + p * h + k, r[p]);
                Store(im + g + p * h + k, i[p]);
            }
        }
    }
}

// Stages of half-span from, 2 from, ... below to, two to a pass and the odd one out on its own.
// (Three to a pass need more vector registers than there are and come out slower.)
template <typename V>
[[gnu::always_inline]] inline void Stages(double* re, double* im, int n, int from, int to,
                                          const double* twiddleRe, const double* twiddleIm) {
    constexpr int lanes = sizeof(V) / sizeof(double);
    for (int h = from; h < to;) {
        const StageTwiddles twiddles[2] = {{twiddleRe + h - 1, twiddleIm + h - 1},
                                           {twiddleRe + 2 * h - 1, twiddleIm + 2 * h - 1}};
        // Only tiny transforms have stages narrower than a vector.
        const bool narrow = h < lanes;
        if (2 * h < to) {
            narrow ? FusedStages<Scalar, 2>(re, im, n, h, twiddles)
                   : FusedStages<V, 2>(re, im, n, h, twiddles);
            h *= 4;
        } else {
            narrow ? FusedStages<Scalar, 1>(re, im, n, h, twiddles)
                   : FusedStages<V, 1>(re, im, n, h, twiddles);
            h *= 2;
        }
    }
}

// A 4 x 4 transpose: afterwards vector t holds lane t of the four vectors as they were.
[[gnu::always_inline]] inline void Transpose(Quad& a, Quad& b, Quad& c, Quad& d) {
    const Quad ab02 = __builtin_shufflevector(a, b, 0, 4, 2, 6);
    const Quad ab13 = __builtin_shufflevector(a, b, 1, 5, 3, 7);
    const Quad cd02 = __builtin_shufflevector(c, d, 0, 4, 2, 6);
    const Quad cd13 = __builtin_shufflevector(c, d, 1, 5, 3, 7);
    a = __builtin_shufflevector(ab02, cd02, 0, 1, 4, 5);
    b = __builtin_shufflevector(ab13, cd13, 0, 1, 4, 5);
    c = __builtin_shufflevector(ab02, cd02, 2, 3, 6, 7);
    d = __builtin_shufflevector(ab13, cd13, 2, 3, 6, 7);
}

// The bit-reversed load, the zero imaginary parts and the first three stages in one pass, for
// n >= 32. Position 8g + j receives in[r3(j) n/8 + r(g)] (r3 and r reverse 3 and log2(n) - 3
// bits), so the four groups g = r(m) ... r(m + 3) read their point j as four neighbouring
// inputs. Their butterflies run side by side in the lanes, and transposes turn the lanes back
// into each group's eight consecutive points.
template <bool kWindowed>
[[gnu::always_inline]] inline void FirstThreeStagesFromInput(
    const double* in, const double* window, double* re, double* im, int n, const int* source,
    const double* twiddleRe, const double* twiddleIm, int from, int to) {
    constexpr int kReversed3[8] = {0, 4, 2, 6, 1, 5, 3, 7};
    const int groups = n / 8;
    for (int m = from; m < to; m += 4) {
        Quad r[8], i[8];
#pragma GCC unroll 8
        for (int j = 0; j < 8; ++j) {
            const int index = kReversed3[j] * groups + m;
            Load(r[j], in + index);
            if constexpr (kWindowed) {
                Quad w;
                Load(w, window + index);
                r[j] = r[j] * w;
            }
            i[j] = Quad{};
        }
        // Stage s pairs point p with p + 2^s; their twiddle is entry 2^s - 1 + (p mod 2^s).
#pragma GCC unroll 3
        for (int s = 0; s < 3; ++s) {
            const int span = 1 << s;
#pragma GCC unroll 8
            for (int p = 0; p < 8; ++p) {
                if (p & span) continue;
                const int index = span - 1 + (p & (span - 1));
                const Quad wr = Quad{} + twiddleRe[index];
                const Quad wi = Quad{} + twiddleIm[index];
                Butterfly(wr, wi, r[p], i[p], r[p + span], i[p + span]);
            }
        }
        Transpose(r[0], r[1], r[2], r[3]);
        Transpose(r[4], r[5], r[6], r[7]);
        Transpose(i[0], i[1], i[2], i[3]);
        Transpose(i[4], i[5], i[6], i[7]);
#pragma GCC unroll 4
        for (int t = 0; t < 4; ++t) {
            // source[x] for x < n/8 is r(x) moved up by three bits.
            const int first = source[m + t];
            Store(re + first, r[t]);
            Store(re + first + 4, r[t + 4]);
            Store(im + first, i[t]);
            Store(im + first + 4, i[t + 4]);
        }
    }
}

// The passes carry nearly all the work; where the processor has 256-bit registers they use them,
// with the same element-wise arithmetic (and no fused multiply-add).
__attribute__((target("avx"))) void StagesAvx(double* re, double* im, int n, int from, int to,
                                              const double* twiddleRe, const double* twiddleIm) {
    Stages<Quad>(re, im, n, from, to, twiddleRe, twiddleIm);
}

void StagesPortable(double* re, double* im, int n, int from, int to, const double* twiddleRe,
                    const double* twiddleIm) {
    Stages<Quad>(re, im, n, from, to, twiddleRe, twiddleIm);
}

// A window, when given, multiplies each input as it is loaded: the same product the windowed
// copy of the record would hold, without the pass that writes and reads that copy.
[[gnu::always_inline]] inline void FirstThreeStages(const double* in, const double* window,
                                                    double* re, double* im, int n,
                                                    const int* source, const double* twiddleRe,
                                                    const double* twiddleIm, int from, int to) {
    if (window == nullptr)
        FirstThreeStagesFromInput<false>(in, window, re, im, n, source, twiddleRe, twiddleIm, from,
                                         to);
    else
        FirstThreeStagesFromInput<true>(in, window, re, im, n, source, twiddleRe, twiddleIm, from,
                                        to);
}

__attribute__((target("avx"))) void FirstThreeStagesAvx(const double* in, const double* window,
                                                        double* re, double* im, int n,
                                                        const int* source, const double* twiddleRe,
                                                        const double* twiddleIm, int from, int to) {
    FirstThreeStages(in, window, re, im, n, source, twiddleRe, twiddleIm, from, to);
}

void FirstThreeStagesPortable(const double* in, const double* window, double* re, double* im, int n,
                              const int* source, const double* twiddleRe, const double* twiddleIm,
                              int from, int to) {
    FirstThreeStages(in, window, re, im, n, source, twiddleRe, twiddleIm, from, to);
}

// |X[k]| for from <= k < n/2 into magnitude[k] and its mirror magnitude[n-1-k].
void MirroredMagnitudesFrom(const double* re, const double* im, double* magnitude, int n,
                            int from) {
    for (int k = from; k < n / 2; ++k) {
        const double m = std::sqrt(re[k] * re[k] + im[k] * im[k]);
        magnitude[k] = m;
        magnitude[n - 1 - k] = m;
    }
}

void MirroredMagnitudes(const double* re, const double* im, double* magnitude, int n) {
    MirroredMagnitudesFrom(re, im, magnitude, n, 0);
}

// Four bins at a time. The square root is correctly rounded in every lane and there is no fused
// multiply-add, so each lane holds exactly the value of the loop above.
__attribute__((target("avx"))) void MirroredMagnitudesAvx(const double* re, const double* im,
                                                          double* magnitude, int n) {
    int k = 0;
    for (; k + 4 <= n / 2; k += 4) {
        const __m256d r = _mm256_loadu_pd(re + k);
        const __m256d i = _mm256_loadu_pd(im + k);
        const __m256d m = _mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(r, r), _mm256_mul_pd(i, i)));
        _mm256_storeu_pd(magnitude + k, m);
        // Lanes reversed: swap the halves, then the two values within each half.
        const __m256d reversed = _mm256_permute_pd(_mm256_permute2f128_pd(m, m, 1), 0b0101);
        _mm256_storeu_pd(magnitude + n - 4 - k, reversed);
    }
    MirroredMagnitudesFrom(re, im, magnitude, n, k);
}

struct WidePasses {
    void (*firstThreeStages)(const double*, const double*, double*, double*, int, const int*,
                             const double*, const double*, int, int);
    void (*stages)(double*, double*, int, int, int, const double*, const double*);
    void (*magnitudes)(const double*, const double*, double*, int);
};

WidePasses ChooseWidePasses() {
    if (ProcessorHasAvx()) return {FirstThreeStagesAvx, StagesAvx, MirroredMagnitudesAvx};
    return {FirstThreeStagesPortable, StagesPortable, MirroredMagnitudes};
}

// The early stages run block by block: a block of this many points (256 KiB of real and
// imaginary parts) stays in the second-level cache through all the stages whose butterflies do
// not leave it.
constexpr int kCacheBlockPoints = 16384;

const WidePasses kWide = ChooseWidePasses();

}  // namespace

FftPlan::FftPlan(int n, TwiddleAngles angles)
    : n_(n), source_(n), twiddleRe_(n - 1), twiddleIm_(n - 1) {
    // The counter method of bit reversal, run on the indices once; the swaps only exchange
    // values, so loading input[source_[k]] into k gives exactly the permuted sequence.
    for (int k = 0; k < n; ++k) source_[k] = k;
    int b = 0;
    for (int j = 0; j < n - 1; ++j) {
        if (j < b) std::swap(source_[j], source_[b]);
        int m = n / 2;
        while (b >= m) {
            b -= m;
            m /= 2;
        }
        b += m;
    }

    // Same expressions as a per-frame table c[j] = cos(2j pi'/n), s[j] = -sin(2j pi'/n), so the
    // cached factors are bit-identical to freshly computed ones.
    const double pi = angles == TwiddleAngles::Readout ? kReadoutPi : kExactPi;
    for (int half = 1; half < n; half *= 2) {
        const int stride = n / (2 * half);
        for (int k = 0; k < half; ++k) {
            const int j = k * stride;
            twiddleRe_[half - 1 + k] = std::cos(2 * j * pi / n);
            twiddleIm_[half - 1 + k] = -std::sin(2 * j * pi / n);
        }
    }
}

void FftPlan::ComputeSpectrum(const double* input, double* magnitude, int offset, double* re,
                              double* im) const {
    Transform(input + offset, nullptr, magnitude, re, im);
}

void FftPlan::ComputeWindowedSpectrum(const double* input, const double* window, double* magnitude,
                                      double* re, double* im) const {
    Transform(input, window, magnitude, re, im);
}

void FftPlan::Transform(const double* in, const double* window, double* magnitude, double* re,
                        double* im) const {
    LoadInputs(in, window, re, im, 0, n_ / 8);
    FinishSpectrum(magnitude, re, im);
}

void FftPlan::LoadInputs(const double* input, const double* window, double* re, double* im,
                         int from, int to) const {
    if (n_ < 32) {
        // Too short for the first pass's groups: a plain bit-reversed load of every input.
        for (int k = 0; k < n_; ++k) {
            const int m = source_[k];
            re[k] = window == nullptr ? input[m] : input[m] * window[m];
            im[k] = 0.0;
        }
        return;
    }
    kWide.firstThreeStages(input, window, re, im, n_, source_.data(), twiddleRe_.data(),
                           twiddleIm_.data(), from, to);
}

int FftPlan::CacheBlock() const {
    return std::min(n_, kCacheBlockPoints);
}

int FftPlan::FinishSteps() const {
    if (n_ < 32) return 1;
    const int block = CacheBlock();
    return n_ / block + (n_ > block ? 1 : 0) + 1;
}

void FftPlan::FinishStep(int step, double* magnitude, double* re, double* im) const {
    const double* twRe = twiddleRe_.data();
    const double* twIm = twiddleIm_.data();
    if (n_ < 32) {
        kWide.stages(re, im, n_, 1, n_, twRe, twIm);
        kWide.magnitudes(re, im, magnitude, n_);
        return;
    }
    // The early stages cache block by cache block, the later ones over the whole array, then the
    // magnitudes.
    const int block = CacheBlock();
    const int blocks = n_ / block;
    if (step < blocks) {
        const int b = step * block;
        kWide.stages(re + b, im + b, block, 8, block, twRe, twIm);
    } else if (step == FinishSteps() - 1) {
        kWide.magnitudes(re, im, magnitude, n_);
    } else {
        kWide.stages(re, im, n_, block, n_, twRe, twIm);
    }
}

void FftPlan::FinishSpectrum(double* magnitude, double* re, double* im) const {
    for (int step = 0; step < FinishSteps(); ++step) FinishStep(step, magnitude, re, im);
}

void FftPlan::TransformInPlace(double* re, double* im) const {
    // Bit reversal is its own inverse, so each pair is swapped once.
    for (int k = 0; k < n_; ++k) {
        const int m = source_[k];
        if (k < m) {
            std::swap(re[k], re[m]);
            std::swap(im[k], im[m]);
        }
    }
    const double* twRe = twiddleRe_.data();
    const double* twIm = twiddleIm_.data();
    const int block = CacheBlock();
    for (int b = 0; b < n_; b += block) kWide.stages(re + b, im + b, block, 1, block, twRe, twIm);
    if (block < n_) kWide.stages(re, im, n_, block, n_, twRe, twIm);
}

void FftPlan::InverseInPlace(double* re, double* im) const {
    // The inverse is the conjugate of the forward transform of the conjugate.
    for (int k = 0; k < n_; ++k) im[k] = -im[k];
    TransformInPlace(re, im);
    const double scale = 1.0 / n_;
    for (int k = 0; k < n_; ++k) {
        re[k] *= scale;
        im[k] *= -scale;
    }
}

}  // namespace velmora2
