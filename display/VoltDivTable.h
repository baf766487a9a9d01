// The V/div steps: label and ADC counts per division (32768 x volts per division, truncated).
// The front panel's spins step through them; the Lissajous view labels its axes with them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace velmora2 {

struct VoltDivRow {
    std::string_view label;
    int32_t counts;
};

inline constexpr std::array<VoltDivRow, 10> kVoltDivRows{{{"10mV/d", 327},
                                                          {"20mV/d", 655},
                                                          {"50mV/d", 1638},
                                                          {"100mV/d", 3276},
                                                          {"200mV/d", 6553},
                                                          {"500mV/d", 16384},
                                                          {"1V/d", 32768},
                                                          {"2V/d", 65536},
                                                          {"5V/d", 163840},
                                                          {"10V/d", 327680}}};

// The label of the step with this many counts; empty for a scale on no step.
constexpr std::string_view VoltDivLabel(int32_t counts) {
    for (const VoltDivRow& row : kVoltDivRows)
        if (row.counts == counts) return row.label;
    return {};
}

}  // namespace velmora2
