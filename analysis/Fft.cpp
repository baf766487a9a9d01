#include "analysis/Fft.h"

#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace velmora2 {

namespace {

// Not pi to full precision: the transform's twiddle factors are defined with this value.
constexpr double kTwiddlePi = 3.1415928;

// One, two or four neighbouring butterflies at once. Vector arithmetic is element-wise IEEE
// arithmetic, so every lane computes exactly what the scalar code would.
using Scalar = double;
using Pair = double __attribute__((vector_size(16)));
using Quad = double __attribute__((vector_size(32)));

// The helpers take vectors by reference and are always inlined, so no wide vector crosses a call
// boundary (whose convention would depend on the instruction set).
template <typename V>
[[gnu::always_inline]] inline void Load(V& v, const double* p) {
    std::memcpy(&v, p, sizeof(V));
}

template <typename V>
[[gnu::always_inline]] inline void Store(double* p, const V& v) {
    std::memcpy(p, &v, sizeof(V));
}

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

// The first stage on its own (half-span 1, one twiddle), for an odd number of stages.
void SingleStage(double* re, double* im, int n, double wr, double wi) {
    for (int a = 0; a < n; a += 2) Butterfly(wr, wi, re[a], im[a], re[a + 1], im[a + 1]);
}

// Stages of half-span h and 2h in one pass. The four points g+k, g+k+h, g+k+2h, g+k+3h are
// closed under both stages, so doing both stages on them at once applies exactly the same
// butterflies to exactly the same values as two passes over the whole array would.
template <typename V>
[[gnu::always_inline]] inline void StagePair(double* re, double* im, int n, int h,
                                             StageTwiddles first, StageTwiddles second) {
    constexpr int lanes = sizeof(V) / sizeof(double);
    for (int g = 0; g < n; g += 4 * h) {
        double* r0 = re + g;
        double* r1 = r0 + h;
        double* r2 = r1 + h;
        double* r3 = r2 + h;
        double* i0 = im + g;
        double* i1 = i0 + h;
        double* i2 = i1 + h;
        double* i3 = i2 + h;
        for (int k = 0; k < h; k += lanes) {
            V ar, ai, br, bi, cr, ci, dr, di, wr, wi;
            Load(ar, r0 + k);
            Load(ai, i0 + k);
            Load(br, r1 + k);
            Load(bi, i1 + k);
            Load(cr, r2 + k);
            Load(ci, i2 + k);
            Load(dr, r3 + k);
            Load(di, i3 + k);
            Load(wr, first.re + k);
            Load(wi, first.im + k);
            Butterfly(wr, wi, ar, ai, br, bi);
            Butterfly(wr, wi, cr, ci, dr, di);
            Load(wr, second.re + k);
            Load(wi, second.im + k);
            Butterfly(wr, wi, ar, ai, cr, ci);
            Load(wr, second.re + k + h);
            Load(wi, second.im + k + h);
            Butterfly(wr, wi, br, bi, dr, di);
            Store(r0 + k, ar);
            Store(i0 + k, ai);
            Store(r1 + k, br);
            Store(i1 + k, bi);
            Store(r2 + k, cr);
            Store(i2 + k, ci);
            Store(r3 + k, dr);
            Store(i3 + k, di);
        }
    }
}

// The wide passes carry nearly all the work; where the processor has 256-bit registers they
// use them, with the same element-wise arithmetic (and no fused multiply-add). The choice is made
// once at start-up by an ordinary check rather than by the loader's function resolution, which
// runs before sanitizer runtimes are ready.
__attribute__((target("avx"))) void StagePairAvx(double* re, double* im, int n, int h,
                                                 StageTwiddles first, StageTwiddles second) {
    StagePair<Quad>(re, im, n, h, first, second);
}

void StagePairPortable(double* re, double* im, int n, int h, StageTwiddles first,
                       StageTwiddles second) {
    StagePair<Quad>(re, im, n, h, first, second);
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
    void (*stagePair)(double*, double*, int, int, StageTwiddles, StageTwiddles);
    void (*magnitudes)(const double*, const double*, double*, int);
};

WidePasses ChooseWidePasses() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx")) return {StagePairAvx, MirroredMagnitudesAvx};
    return {StagePairPortable, MirroredMagnitudes};
}

const WidePasses kWide = ChooseWidePasses();

}  // namespace

FftPlan::FftPlan(int n) : n_(n), stages_(0), source_(n), twiddleRe_(n - 1), twiddleIm_(n - 1) {
    for (int size = n; size > 1; size /= 2) ++stages_;

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
    for (int half = 1; half < n; half *= 2) {
        const int stride = n / (2 * half);
        for (int k = 0; k < half; ++k) {
            const int j = k * stride;
            twiddleRe_[half - 1 + k] = std::cos(2 * j * kTwiddlePi / n);
            twiddleIm_[half - 1 + k] = -std::sin(2 * j * kTwiddlePi / n);
        }
    }
}

void FftPlan::LoadReversed(const double* in, double* re) const {
    // Index k = (t, m, l) with t and l the top and bottom `bits` bits: its source has them
    // swapped and reversed, so a tile of all t and l for one m reads and writes whole cache
    // lines instead of one value per line.
    const int bits = std::min(3, stages_ / 2);
    const int tile = 1 << bits;
    const int middleCount = 1 << (stages_ - 2 * bits);
    for (int m = 0; m < middleCount; ++m) {
        for (int t = 0; t < tile; ++t) {
            const int row = (t << (stages_ - bits)) | (m << bits);
            for (int l = 0; l < tile; ++l) re[row | l] = in[source_[row | l]];
        }
    }
}

void FftPlan::ComputeSpectrum(const double* input, double* magnitude, int offset, double* re,
                              double* im) const {
    const int n = n_;
    LoadReversed(input + offset, re);
    std::fill(im, im + n, 0.0);

    int half = 1;
    if (stages_ % 2 == 1) {
        SingleStage(re, im, n, twiddleRe_[0], twiddleIm_[0]);
        half = 2;
    }
    for (; half < n; half *= 4) {
        const StageTwiddles first{twiddleRe_.data() + half - 1, twiddleIm_.data() + half - 1};
        const StageTwiddles second{twiddleRe_.data() + 2 * half - 1,
                                   twiddleIm_.data() + 2 * half - 1};
        if (half == 1)
            StagePair<Scalar>(re, im, n, half, first, second);
        else if (half == 2)
            StagePair<Pair>(re, im, n, half, first, second);
        else
            kWide.stagePair(re, im, n, half, first, second);
    }

    kWide.magnitudes(re, im, magnitude, n);
}

}  // namespace velmora2
