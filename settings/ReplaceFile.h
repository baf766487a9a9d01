// Replaces a file's contents all at once: the new contents go to a temporary file in the same
// directory, which is renamed over the old file only after every write has succeeded.
#pragma once

#include <filesystem>
#include <string_view>

namespace velmora2 {

// False when the file cannot be written: its directory is missing, it or the file is
// write-protected (no write permission bit, even for a user who could override that), or a
// write fails. The old file is then left exactly as it was and no temporary file remains.
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view contents);

}  // namespace velmora2
