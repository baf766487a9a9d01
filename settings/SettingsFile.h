// The settings file Velmora2.INI beside the executable: the token loader, the saver, and the
// hand-over of the loaded settings to a running engine.
#pragma once

#include <filesystem>
#include <istream>
#include <string>

#include "settings/SettingsRecord.h"

namespace velmora2 {

class CDSCapture;

inline constexpr const char* kSettingsFileName = "Velmora2.INI";

enum class SettingsLoad { Loaded, NoFile };
// Reads directory/Velmora2.INI into record. Fields not found, and values that are refused, keep
// their current values.
SettingsLoad LoadSettingsFile(const std::filesystem::path& directory, SettingsRecord& record);
// The same loading rules on text from any stream.
void LoadSettingsFrom(std::istream& in, SettingsRecord& record);

// The 38 lines of the file, "\n" line ends, numbers in the C locale.
std::string FormatSettings(const SettingsRecord& record);

enum class SettingsSave { Saved, CannotWrite };
// Writes the file through a temporary file renamed over the old one: when anything fails, the
// old file is left exactly as it was.
SettingsSave SaveSettingsFile(const std::filesystem::path& directory, const SettingsRecord& record);

// Hands the record to a running engine, in the order the engine expects.
void ApplySettingsToEngine(const SettingsRecord& record, CDSCapture& engine);

}  // namespace velmora2
