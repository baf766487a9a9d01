// Shows where the program next to this tool keeps its settings and recordings and which file it
// plays for a tone name (default "sin1k.wav"). The answers come from the same look-ups the program
// uses, so they hold for an installed copy as well as for the build tree.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/FilePlaces.h"
#include "platform/GeneratorFileSearch.h"
#include "platform/ProgramDirectory.h"
#include "settings/SettingsFile.h"

int main(int argc, char** argv) {
    using namespace velmora2;
    if (argc > 2 ||
        (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0))) {
        std::printf(
            "usage: velmora2-files [TONE-FILE]\n"
            "Prints the settings file, the recordings directory and the tone file found.\n");
        return argc > 2 ? 2 : 0;
    }
    const std::string tone = argc == 2 ? argv[1] : "sin1k.wav";
    const std::filesystem::path program = ProgramDirectory();
    const FilePlaces places = ResolveFilePlaces(program);
    std::printf("settings: %s\n", (places.settingsDirectory / kSettingsFileName).c_str());
    std::printf("recordings: %s\n", places.recordingsDirectory.c_str());
    const auto found = FindGeneratorFile(tone, ProgramSearchPlaces(program));
    std::printf("tone %s: %s\n", tone.c_str(), found ? found->c_str() : "not found");
    return found ? 0 : 1;
}
