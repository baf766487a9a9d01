// velmora2-measure generate: writes the samples the generator plays for a signal of its own into
// a WAV file, its loop repeated for the length asked for.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "records/GeneratorSignal.h"

namespace velmora2 {

struct GenerateOptions {
    GeneratorSignal signal;
    double seconds = 5.0;
    int rate = 48000;
    std::string output;
};

struct GenerateParse {
    std::optional<GenerateOptions> options;
    std::string error;  // one line saying what is wrong
};

// The arguments after "generate".
GenerateParse ParseGenerateArguments(std::span<const std::string_view> args);

// 0, or 1 with `error` set when the file cannot be written.
int WriteGeneratedFile(const GenerateOptions& options, std::string& error);

// The help text's paragraph for the command.
const char* GenerateUsage();

}  // namespace velmora2
