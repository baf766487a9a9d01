// velmora2-measure analyze: the precision analysis of a WAV recording's first record, printed as
// text or as JSON whose keys scripts can rely on.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "precision/PrecisionFigures.h"

namespace velmora2 {

struct AnalyzeOptions {
    std::string input;
    PrecisionOptions precision;
    int points = 0;  // 0: the largest power of two the file holds, at most kMostPoints
    bool json = false;
};

inline constexpr int kFewestPoints = 1024;
inline constexpr int kMostPoints = 1 << 18;

struct AnalyzeParse {
    std::optional<AnalyzeOptions> options;
    std::string error;  // one line saying what is wrong
};

// The arguments after "analyze".
AnalyzeParse ParseAnalyzeArguments(std::span<const std::string_view> args);

// 0 with the figures, or 1 with `error` set when the file cannot be analysed.
int RunAnalysis(const AnalyzeOptions& options, StereoFigures& figures, std::string& error);

std::string FormatAnalysis(const AnalyzeOptions& options, const StereoFigures& figures);

// The help text's paragraph for the command.
const char* AnalyzeUsage();

}  // namespace velmora2
