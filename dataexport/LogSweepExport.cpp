#include "dataexport/LogSweepExport.h"

#include <cmath>
#include <cstring>

#include "wav/WavWriter.h"

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

bool WriteImpulseWav(const std::filesystem::path& path, const LogSweepResult& result) {
    std::unique_ptr<ByteFile> file = CreateByteFile(path, CreateMode::Replace);
    if (!file) return false;
    WaveFormat format;
    format.formatTag = kFloatFormatTag;
    format.channels = 1;
    format.sampleRate = static_cast<uint32_t>(result.sampleRate);
    format.bitsPerSample = 32;
    format.blockAlign = 4;
    format.avgBytesPerSec = format.sampleRate * 4;
    WavWriter writer(std::move(file));
    bool written = writer.WriteHeader(format);
    std::vector<uint8_t> bytes(result.impulse.size() * 4);
    for (size_t i = 0; i < result.impulse.size(); ++i) {
        const auto sample = static_cast<float>(result.impulse[i]);
        std::memcpy(&bytes[4 * i], &sample, 4);
    }
    written = written && writer.Append(bytes.data(), bytes.size());
    return writer.Finish() && written;
}

}  // namespace velmora2
