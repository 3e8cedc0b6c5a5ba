#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace kav {

// Opening a text database whose file is missing or cannot be read.
class RecordFileMissing : public std::runtime_error {
public:
    explicit RecordFileMissing(const std::filesystem::path& fileName)
        : std::runtime_error("File not found: " + fileName.string())
    {
    }
};

// Writing to a text database that was opened from a file.
class RecordFileReadOnly : public std::runtime_error {
public:
    RecordFileReadOnly() : std::runtime_error("Writing to a read only text database") {}
};

// A settings, layout or database file could not be replaced; the old file is left as it was.
class FileWriteError : public std::runtime_error {
public:
    explicit FileWriteError(const std::filesystem::path& fileName)
        : std::runtime_error("Unable to write to " + fileName.string())
    {
    }
};

} // namespace kav
