#include "file_access.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#include "disk_sync.h"
#include "file_errors.h"

namespace kav {

namespace fs = std::filesystem;

FileText readFileText(const fs::path& fileName)
{
    std::error_code ec;
    const fs::file_status status = fs::status(fileName, ec);
    if (status.type() == fs::file_type::not_found)
        return {FileState::Missing, {}};
    const std::uintmax_t size = fs::file_size(fileName, ec);
    std::ifstream in(fileName, std::ios::binary);
    if (ec || status.type() != fs::file_type::regular || !in)
        return {FileState::Unreadable, {}};

    const bool tooLarge = size > kMaxStoreFileSize;
    FileText result{tooLarge ? FileState::Truncated : FileState::Read,
                    std::string(tooLarge ? kMaxStoreFileSize : static_cast<std::size_t>(size), '\0')};
    in.read(result.Text.data(), static_cast<std::streamsize>(result.Text.size()));
    if (in.bad())
        return {FileState::Unreadable, {}};
    result.Text.resize(static_cast<std::size_t>(in.gcount()));
    return result;
}

namespace {

// Random, so two writers (two program instances) practically never pick the same temporary name; the
// exclusive create below catches the rest.
fs::path temporaryNameFor(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    static const std::uint64_t seed = std::random_device{}();
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::uint64_t mix = seed ^ static_cast<std::uint64_t>(now) ^ (std::uint64_t{++counter} << 48);
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%016llx", static_cast<unsigned long long>(mix));
    fs::path name = target;
    name += suffix;
    name += ".tmp";
    return name;
}

// Writes the whole content and pushes it to the disk; false on any failure.
bool writeAndSync(std::FILE* file, std::string_view content)
{
    const bool written = content.empty() || std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const bool flushed = written && std::fflush(file) == 0 && syncFileToDisk(file);
    return std::fclose(file) == 0 && flushed;
}

std::FILE* createTemporary(const fs::path& target, fs::path& temporary)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        temporary = temporaryNameFor(target);
        // "x": never open a file someone else has just created under the same name.
        if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx"))
            return file;
    }
    return nullptr;
}

// Writing through a symbolic link replaces the file it points to, not the link.
fs::path resolveTarget(const fs::path& fileName)
{
    std::error_code ec;
    if (!fs::is_symlink(fileName, ec))
        return fileName;
    const fs::path resolved = fs::weakly_canonical(fileName, ec);
    return ec ? fileName : resolved;
}

} // namespace

void replaceFile(const fs::path& fileName, std::string_view content, FileReaders readers)
{
    const fs::path target = resolveTarget(fileName);
    fs::path temporary;
    std::FILE* file = createTemporary(target, temporary);
    if (!file)
        throw FileWriteError(fileName);

    std::error_code ec;
    const bool ownerOnly = readers == FileReaders::OwnerOnly;
    if (ownerOnly)
        fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write, ec);
    bool ok = !ec && writeAndSync(file, content);
    if (ok) {
        const fs::file_status old = fs::status(target, ec);
        if (!ownerOnly && fs::is_regular_file(old))
            fs::permissions(temporary, old.permissions(), ec);
        fs::rename(temporary, target, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(temporary, ec);
        throw FileWriteError(fileName);
    }
    syncFolderToDisk(target.has_parent_path() ? target.parent_path() : fs::path("."));
}

} // namespace kav
