// Opening a file for reading without ever waiting: anything but a regular file (a FIFO, which
// would wait for a writer, a device, which may never end, a directory) is refused at once.
#pragma once

#include <filesystem>

namespace velmora2 {

// The descriptor of a regular file opened for reading, or -1.
int OpenRegularFile(const std::filesystem::path& path);

// Something is there under this name, and it is not a regular file: the case in which a reader
// says "is not a regular file" rather than that the file cannot be opened.
bool IsThereButNotRegularFile(const std::filesystem::path& path);

}  // namespace velmora2
