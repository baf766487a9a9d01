// Fuzz target: any text through the settings loader. Whatever it accepts must save and load back
// to the same settings: the saved text, loaded again, saves as the very same text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "settings/SettingsFile.h"

using namespace velmora2;

namespace {

SettingsRecord Load(const std::string& text) {
    SettingsRecord record;
    std::istringstream in(text);
    LoadSettingsFrom(in, record);
    return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const SettingsRecord loaded = Load(std::string(reinterpret_cast<const char*>(data), size));
    const std::string saved = FormatSettings(loaded);
    const SettingsRecord reloaded = Load(saved);
    const std::string savedAgain = FormatSettings(reloaded);
    if (saved != savedAgain || reloaded.activeSampleRate != loaded.activeSampleRate ||
        reloaded.sweepPeriodMs != loaded.sweepPeriodMs) {
        std::fprintf(stderr, "saved:\n%s\nsaved after loading it back:\n%s\n", saved.c_str(),
                     savedAgain.c_str());
        std::abort();
    }
    return 0;
}
