// The saver: the 38 lines of the file from the key table, written so that a failure never
// destroys the file that is already there.
#include "settings/CLocaleNumbers.h"
#include "settings/ReplaceFile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

namespace velmora2 {
namespace {

using namespace settings_keys;

std::string FormatValue(double value, Real) {
    return FormatCDouble(value);
}
std::string FormatValue(int32_t value, Integer) {
    return FormatCInt(value);
}
std::string FormatValue(int32_t value, SampleRate) {
    return FormatCInt(value);
}
std::string FormatValue(bool value, Word rule) {
    return value ? rule.trueWord : rule.falseWord;
}
std::string FormatValue(bool value, SweepSpeed) {
    return value ? "ON" : "OFF";
}
template <typename Enumeration>
std::string FormatValue(Enumeration value, Choice rule) {
    const int index = static_cast<int>(value);
    return index >= 0 && index < rule.count ? rule.words[index] : rule.words[0];
}
std::string FormatValue(const std::string& value, Text) {
    return value;
}
std::string FormatValue(const std::string& value, PhaseRange) {
    return value;
}

}  // namespace

std::string FormatSettings(const SettingsRecord& record) {
    std::string text = "[OPTION]\n";
    ForEachKey(record, [&](const char* key, const auto& field, auto rule) {
        text += key;
        text += " : ";
        text += FormatValue(field, rule);
        text += '\n';
    });
    return text;
}

SettingsSave SaveSettingsFile(const std::filesystem::path& directory,
                              const SettingsRecord& record) {
    return ReplaceFileContents(directory / kSettingsFileName, FormatSettings(record))
               ? SettingsSave::Saved
               : SettingsSave::CannotWrite;
}

}  // namespace velmora2
