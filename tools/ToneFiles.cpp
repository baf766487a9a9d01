// velmora2-tones DIRECTORY: writes the generator's tone files into DIRECTORY: "sin1k.wav" and the
// file of every network sweep point at 48000, 96000 and 192000 Hz. The build runs it so that the
// files lie beside the program.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "analysis/SweepTable.h"
#include "engine/ToneFile.h"
#include "platform/GeneratorFileNames.h"

using namespace velmora2;

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::fprintf(argc == 2 ? stdout : stderr,
                     "usage: velmora2-tones DIRECTORY\n"
                     "Writes sin1k.wav and every network sweep tone file into DIRECTORY:\n"
                     "16-bit stereo sines at -6 dBFS, one second long.\n");
        return argc == 2 ? 0 : 2;
    }
    const std::filesystem::path directory = argv[1];
    std::error_code error;
    std::filesystem::create_directories(directory, error);

    std::set<std::pair<int, int>> tones = {{1000, 48000}};  // (frequency, rate)
    for (const int rate : {48000, 96000, 192000}) {
        for (const int points : kSweepPointCounts) {
            const SweepTable table = BuildSweepTable(points, rate);
            for (int i = 0; i < table.count; ++i)
                tones.insert({static_cast<int>(std::lround(table.frequency[i])), rate});
        }
    }
    for (const auto& [frequency, rate] : tones) {
        const std::filesystem::path path = directory / ToneFileName(frequency, rate);
        if (!WriteToneFile(path, frequency, rate)) {
            std::fprintf(stderr, "velmora2-tones: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
