// velmora2-tones DIRECTORY: writes the generator's tone files into DIRECTORY: "sin1k.wav" and the
// file of every network sweep point at 48000, 96000 and 192000 Hz. The build runs it so that the
// files lie beside the program.
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "engine/ToneFile.h"
#include "platform/GeneratorFileNames.h"

using namespace velmora2;

namespace {

// The frequencies of the longest network sweep at 48000 Hz; the shorter sweeps use some of them,
// and the sweeps at 96000 and 192000 Hz use them doubled and quadrupled.
constexpr int kSweepHz[] = {50,   70,   100,   120,   150,   170,   200,   250,   300,
                            350,  400,  450,   500,   600,   700,   800,   900,   1000,
                            1100, 1200, 1300,  1500,  1700,  2000,  2200,  2500,  2700,
                            3000, 3200, 3500,  4000,  4500,  5000,  5500,  6000,  7000,
                            8000, 9000, 10000, 11000, 12000, 13000, 15000, 17000, 20000};

}  // namespace

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
    for (const auto& [rate, factor] : {std::pair{48000, 1}, {96000, 2}, {192000, 4}})
        for (const int hz : kSweepHz) tones.insert({hz * factor, rate});
    for (const auto& [frequency, rate] : tones) {
        const std::filesystem::path path = directory / ToneFileName(frequency, rate);
        if (!WriteToneFile(path, frequency, rate)) {
            std::fprintf(stderr, "velmora2-tones: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
