#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "file_access.h"

namespace kav {

// The lines of one section, kept sorted by the whole line without regard to letter case.
using SectionLines = std::vector<std::string>;

// A small database of named sections of key=value lines, kept in memory: opened read-only from a file,
// or created new and empty and then written out in full by Save (the channel settings use it).
class RecordFile {
public:
    // Raises RecordFileMissing when the file is missing or cannot be read.
    static RecordFile open(const std::filesystem::path& fileName);
    // An empty, writable database for the file; the file itself is not read.
    static RecordFile createNew(const std::filesystem::path& fileName);

    // A new database that was never saved is simply dropped: the file on disk keeps what it held, so
    // an error half-way through filling the database cannot leave half the settings behind.
    virtual ~RecordFile() = default;
    RecordFile(const RecordFile&) = default;
    RecordFile(RecordFile&&) = default;
    RecordFile& operator=(const RecordFile&) = default;
    RecordFile& operator=(RecordFile&&) = default;

    // Raises RecordFileReadOnly on an opened database, which then stays unchanged.
    virtual void writeString(std::string_view section, std::string_view key, std::string_view value);
    virtual void writeLineValue(SectionLines& lines, std::string_view key, std::string_view value);
    // The default stands for a missing section or key and for an empty value.
    virtual std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    virtual std::string readLineValue(const SectionLines& lines, std::string_view key,
                                      std::string_view defaultValue) const;

    void writeInteger(std::string_view section, std::string_view key, std::int32_t value);
    // The default also stands for a value that is not a whole number.
    std::int32_t readInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;

    // Replaces the file with the database, atomically. Raises RecordFileReadOnly on an opened database
    // and FileWriteError when the file cannot be written.
    void save(FileReaders readers = FileReaders::AsBefore) const;
    // The file content as Save writes it: sorted sections, each followed by an empty line, CR LF ends.
    std::string toText() const;

    bool readOnly() const { return m_readOnly; }
    const std::filesystem::path& fileName() const { return m_fileName; }
    std::vector<std::string> sectionNames() const;
    // The section's lines, or nullptr when there is no such section.
    const SectionLines* findSection(std::string_view section) const;

protected:
    RecordFile(std::filesystem::path fileName, bool readOnly);
    void requireWritable() const;

private:
    struct NameLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    void load(std::string_view text);

    std::filesystem::path m_fileName;
    std::map<std::string, SectionLines, NameLess> m_sections;
    bool m_readOnly = false;
};

} // namespace kav
