#pragma once

#include <cstdio>
#include <filesystem>

namespace kav {

// Standard C++ has no way to push written data to the disk; these two calls are the only platform
// code of the store. A rename is only safe against a power cut once the new file's data is on disk.
bool syncFileToDisk(std::FILE* file);

// Makes a rename in the folder durable where the platform needs it; failures are ignored, since the
// new file is complete either way.
void syncFolderToDisk(const std::filesystem::path& folder);

} // namespace kav
