#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace kav {

// Settings, layout and database files are a few kilobytes; anything beyond this is not ours, and only
// its first part is read.
inline constexpr std::size_t kMaxStoreFileSize = std::size_t{1} << 20;

enum class FileState {
    Missing,    // no such file: an empty file for every purpose
    Read,       // read whole
    Truncated,  // only the first kMaxStoreFileSize bytes were read
    Unreadable, // present but not a readable regular file (a folder, no permission)
};

struct FileText {
    FileState State = FileState::Missing;
    std::string Text;
};

// Reads a file as 8-bit text. Never throws for a missing or unreadable file.
FileText readFileText(const std::filesystem::path& fileName);

// Who may read a file once it is replaced: whoever could before (a new file: as the umask says), or its
// owner only (a file that holds a password), from the moment it has any content.
enum class FileReaders { AsBefore, OwnerOnly };

// Replaces the file with the content at once: the content goes to a temporary file in the same
// folder, which is flushed to disk and renamed over the old file, so a crash or power cut leaves
// either the old or the new file. Raises FileWriteError; the old file then stays untouched.
void replaceFile(const std::filesystem::path& fileName, std::string_view content,
                 FileReaders readers = FileReaders::AsBefore);

} // namespace kav
