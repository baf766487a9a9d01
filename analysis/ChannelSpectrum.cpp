#include "analysis/ChannelSpectrum.h"

#include <algorithm>

namespace velmora2 {

namespace {

// Below 2048 points a record still spans one whole captured block.
int BufferLength(int n) {
    return std::max(n, 2048);
}

}  // namespace

ChannelSpectrum::ChannelSpectrum(int n)
    : size(n),
      capture(BufferLength(n)),
      magnitude(BufferLength(n)),
      re(BufferLength(n)),
      im(BufferLength(n)),
      harmonicFrequencies(BufferLength(n) / 2),
      harmonicPowers(BufferLength(n) / 2),
      binPowers(BufferLength(n) / 2),
      magnitudeSum(BufferLength(n) / 2),
      harmonicPowerSum(BufferLength(n) / 2),
      binPowerSum(BufferLength(n) / 2) {}

}  // namespace velmora2
