// The window of the precision analysis: the 7-term Blackman-Harris window, whose side lobes lie
// below -180 dB, so that a full-scale tone between bins leaves nothing above a 16-bit noise floor
// outside its main lobe of 7 bins each side. Besides its samples, its transform is known in
// closed form at any frequency, which the tone fit needs.
#pragma once

#include <complex>
#include <vector>

namespace velmora2 {

class CosineSumWindow {
public:
    static constexpr int kTerms = 7;
    // Bins each side of a tone that hold its main lobe; beyond them every bin is a side lobe.
    static constexpr int kMainLobeBins = 7;

    // The periodic window of n points (n >= 16).
    explicit CosineSumWindow(int n);

    int Size() const { return static_cast<int>(samples_.size()); }
    const std::vector<double>& Samples() const { return samples_; }
    double SumOfSquares() const { return sumOfSquares_; }

    // The sum over m < n of w[m] exp(-i 2 pi f m) for f in cycles per sample.
    std::complex<double> Transform(double cyclesPerSample) const;

private:
    std::vector<double> samples_;
    double sumOfSquares_ = 0;
};

}  // namespace velmora2
