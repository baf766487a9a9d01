#include "precision/CosineSumWindow.h"

#include <cmath>
#include <numbers>

namespace velmora2 {

namespace {

// w[m] = sum of kSigned[k] cos(2 pi k m / n).
constexpr double kSigned[CosineSumWindow::kTerms] = {
    0.27105140069342, -0.43329793923448, 0.21812299954311, -0.06592544638803,
    0.01081174209837, -0.00077658482522, 0.00001388721735};

// The sum over m < n of exp(-i 2 pi g m): exp(-i pi g (n - 1)) sin(pi g n) / sin(pi g), a
// function of period 1 in g for even n.
std::complex<double> Dirichlet(double g, int n) {
    g -= std::round(g);
    if (std::fabs(g) < 1e-300) return n;
    const double ratio = std::sin(std::numbers::pi * g * n) / std::sin(std::numbers::pi * g);
    return std::polar(ratio, -std::numbers::pi * g * (n - 1));
}

}  // namespace

CosineSumWindow::CosineSumWindow(int n) : samples_(n) {
    for (int m = 0; m < n; ++m) {
        double w = 0;
        for (int k = 0; k < kTerms; ++k)
            w += kSigned[k] * std::cos(2 * std::numbers::pi * static_cast<double>(k * m % n) / n);
        samples_[m] = w;
        sumOfSquares_ += w * w;
    }
}

std::complex<double> CosineSumWindow::Transform(double cyclesPerSample) const {
    const int n = Size();
    std::complex<double> sum = kSigned[0] * Dirichlet(cyclesPerSample, n);
    for (int k = 1; k < kTerms; ++k) {
        const double shift = static_cast<double>(k) / n;
        sum += 0.5 * kSigned[k] *
               (Dirichlet(cyclesPerSample - shift, n) + Dirichlet(cyclesPerSample + shift, n));
    }
    return sum;
}

}  // namespace velmora2
