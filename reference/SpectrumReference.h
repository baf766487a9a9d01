// A plain, literal implementation of the window and the transform: a fresh coefficient or
// twiddle table on every call and the loops in their obvious order. Slow on purpose; the
// production code must reproduce it bit for bit.
#pragma once

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace velmora2::reference {

inline void ApplyWindow(const std::string& name, int N, const double* input, double* output) {
    const double pi = 3.1415926;
    std::vector<double> w(N);
    for (int i = 0; i < N; ++i) {
        if (name == "han") {
            w[i] = 0.5 * (1 - std::cos(2 * pi * i / (N - 1)));
        } else if (name == "ham") {
            w[i] = 0.54 - 0.46 * std::cos(2 * pi * i / (N - 1));
        } else if (name == "black") {
            w[i] =
                0.42 - 0.5 * std::cos(2 * pi * i / (N - 1)) + 0.08 * std::cos(4 * pi * i / (N - 1));
        } else if (name == "black-h") {
            w[i] = 0.35875 - 0.48829 * std::cos(2 * pi * (i + 0.5) / N) +
                   0.14128 * std::cos(4 * pi * (i + 0.5) / N) -
                   0.01168 * std::cos(6 * pi * (i + 0.5) / N);
        } else if (name == "bart") {
            if (i <= (N - 1) / 2)
                w[i] = 2.0 * i / (N - 1);
            else
                w[i] = 2 - 2.0 * i / (N - 1);
        } else {
            w[i] = 1;
        }
    }
    for (int i = 0; i < N; ++i) output[i] = input[i] * w[i];
}

inline void ComputeSpectrum(int N, const double* input, double* magnitude, int offset, double* re,
                            double* im) {
    const double pi = 3.1415928;
    for (int k = 0; k < N; ++k) {
        re[k] = input[offset + k];
        im[k] = 0;
    }

    std::vector<double> table(N);
    double* c = table.data();
    double* s = table.data() + N / 2;
    for (int k = 0; k < N / 2; ++k) {
        c[k] = std::cos(2 * k * pi / N);
        s[k] = -std::sin(2 * k * pi / N);
    }

    int b = 0;
    for (int j = 0; j < N - 1; ++j) {
        if (j < b) {
            std::swap(re[j], re[b]);
            std::swap(im[j], im[b]);
        }
        int m = N / 2;
        while (b >= m) {
            b = b - m;
            m = m / 2;
        }
        b = b + m;
    }

    int stages = 0;
    for (int size = N; size > 1; size /= 2) ++stages;
    for (int stage = 1; stage <= stages; ++stage) {
        const int L = 1 << stage;
        const int half = L / 2;
        for (int k = 0; k < half; ++k) {
            const double wr = c[k * N / L];
            const double wi = s[k * N / L];
            for (int a = k; a < N; a += L) {
                const int bb = a + half;
                const double tr = wr * re[bb] - wi * im[bb];
                const double ti = wr * im[bb] + wi * re[bb];
                re[bb] = re[a] - tr;
                im[bb] = im[a] - ti;
                re[a] = re[a] + tr;
                im[a] = im[a] + ti;
            }
        }
    }

    for (int k = 0; k < N / 2; ++k) {
        const double m = std::sqrt(re[k] * re[k] + im[k] * im[k]);
        magnitude[k] = m;
        magnitude[N - 1 - k] = m;
    }
}

}  // namespace velmora2::reference
