// Running velmora2-measure as a separate program, writing the WAV files it reads, and reading its
// "key = value" report.
#pragma once

#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/engine/WavCrafting.h"

namespace velmora2::testing {

struct CommandRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the program with the arguments (each quoted), with `environment` ("NAME=value ...")
// put before it.
inline CommandRun RunMeasure(const std::vector<std::string>& args,
                             const std::filesystem::path& errorFile,
                             const std::string& environment = "") {
    std::string command = environment + " '" + VELMORA2_MEASURE_PROGRAM + "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " 2>'" + errorFile.string() + "'";
    CommandRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errorFile);
    run.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    return run;
}

// A 16-bit stereo WAV file of the samples (left, right interleaved).
inline void WriteStereoWav(const std::filesystem::path& path, uint32_t rate,
                           const std::vector<int16_t>& interleaved) {
    Bytes data;
    for (int16_t sample : interleaved) Append16(data, static_cast<uint16_t>(sample));
    WriteFileBytes(path, Riff({Chunk("fmt ", FormatBody({.rate = rate})), Chunk("data", data)}));
}

// The report's sections: "" for the lines before the first "[L]", then "L" and "R". Repeated
// keys (the read-out lines) keep every value in order.
using Report = std::map<std::string, std::multimap<std::string, std::string>>;

inline Report ParseReport(const std::string& text) {
    Report report;
    std::string section;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const size_t equals = line.find(" = ");
        if (equals == std::string::npos) continue;
        report[section].emplace(line.substr(0, equals), line.substr(equals + 3));
    }
    return report;
}

inline std::string Value(const Report& report, const std::string& section, const std::string& key) {
    const auto s = report.find(section);
    if (s == report.end()) return {};
    const auto v = s->second.find(key);
    return v == s->second.end() ? std::string() : v->second;
}

inline std::vector<std::string> Values(const Report& report, const std::string& section,
                                       const std::string& key) {
    std::vector<std::string> values;
    const auto s = report.find(section);
    if (s == report.end()) return values;
    const auto range = s->second.equal_range(key);
    for (auto it = range.first; it != range.second; ++it) values.push_back(it->second);
    return values;
}

}  // namespace velmora2::testing
