#include "dataexport/LogSweepExport.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace velmora2 {

namespace {

constexpr uint16_t kFloatFormatTag = 3;

}  // namespace

std::vector<NetworkRow> NetworkRows(const LogSweepResult& result) {
    std::vector<NetworkRow> rows;
    rows.reserve(result.points.size());
    for (const ResponsePoint& p : result.points) {
        const double phaseDelayUs = -1e6 * p.phaseDeg / 360.0 / p.frequencyHz;
        rows.push_back({p.frequencyHz, p.gainDb, std::remainder(p.phaseDeg, 360.0), phaseDelayUs,
                        p.groupDelayUs});
    }
    return rows;
}

std::string LogSweepCsv(const LogSweepResult& result, bool harmonics) {
    const std::vector<NetworkRow> rows = NetworkRows(result);
    std::string out = "frequency_Hz,gain_dB,phase_deg,phase_delay_us,group_delay_us";
    if (harmonics) {
        for (int order = 2; order < 2 + kHarmonicOrders; ++order)
            out += ",h" + std::to_string(order) + "_dB";
    }
    out += '\n';
    for (size_t i = 0; i < rows.size(); ++i) {
        const NetworkRow& row = rows[i];
        AppendNumber(out, row.frequency);
        for (const double value : {row.gainDb, row.phaseDeg, row.phaseDelayUs, row.groupDelayUs}) {
            out += ',';
            AppendNumber(out, value);
        }
        if (harmonics) {
            for (const std::vector<double>& levels : result.harmonicDb) {
                out += ',';
                AppendNumber(out, levels[i]);
            }
        }
        out += '\n';
    }
    return out;
}

std::string ImpulseWav(const LogSweepResult& result) {
    std::string out;
    const auto put32 = [&out](uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((v >> shift) & 0xFF);
    };
    const auto put16 = [&out](uint16_t v) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>(v >> 8);
    };
    const auto rate = static_cast<uint32_t>(result.sampleRate);
    const auto dataBytes = static_cast<uint32_t>(result.impulse.size() * 4);
    // RIFF, an 18-byte "fmt " chunk, then "data".
    out += "RIFF";
    put32(4 + 8 + 18 + 8 + dataBytes);
    out += "WAVEfmt ";
    put32(18);
    put16(kFloatFormatTag);
    put16(1);
    put32(rate);
    put32(rate * 4);
    put16(4);
    put16(32);
    put16(0);
    out += "data";
    put32(dataBytes);
    for (const double x : result.impulse) {
        uint32_t bits = 0;
        const auto sample = static_cast<float>(x);
        std::memcpy(&bits, &sample, 4);
        put32(bits);
    }
    return out;
}

}  // namespace velmora2
