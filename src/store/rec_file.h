#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

// The lines of one section, kept sorted by the whole line without regard to letter case.
using TRecLines = std::vector<std::string>;

// A small database of named sections of key=value lines, kept in memory: opened read-only from a file,
// or created new and empty and then written out in full by Save (the channel settings use it).
class TRecFile {
public:
    // Raises ERecFileNotExists when the file is missing or cannot be read.
    static TRecFile Open(const std::filesystem::path& fileName);
    // An empty, writable database for the file; the file itself is not read.
    static TRecFile CreateNew(const std::filesystem::path& fileName);

    // A new database that was never saved is simply dropped: the file on disk keeps what it held, so
    // an error half-way through filling the database cannot leave half the settings behind.
    virtual ~TRecFile() = default;
    TRecFile(const TRecFile&) = default;
    TRecFile(TRecFile&&) = default;
    TRecFile& operator=(const TRecFile&) = default;
    TRecFile& operator=(TRecFile&&) = default;

    // Raises ERecFileReadOnly on an opened database, which then stays unchanged.
    virtual void WriteString(std::string_view section, std::string_view key, std::string_view value);
    virtual void WriteLineValue(TRecLines& lines, std::string_view key, std::string_view value);
    // The default stands for a missing section or key and for an empty value.
    virtual std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    virtual std::string ReadLineValue(const TRecLines& lines, std::string_view key,
                                      std::string_view defaultValue) const;

    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    // The default also stands for a value that is not a whole number.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;

    // Replaces the file with the database, atomically. Raises ERecFileReadOnly on an opened database
    // and EFileWriteError when the file cannot be written.
    void Save() const;
    // The file content as Save writes it: sorted sections, each followed by an empty line, CR LF ends.
    std::string ToText() const;

    bool ReadOnly() const { return m_readOnly; }
    const std::filesystem::path& FileName() const { return m_fileName; }
    std::vector<std::string> SectionNames() const;
    // The section's lines, or nullptr when there is no such section.
    const TRecLines* FindSection(std::string_view section) const;

protected:
    TRecFile(std::filesystem::path fileName, bool readOnly);
    void RequireWritable() const;

private:
    struct TNameLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    void Load(std::string_view text);

    std::filesystem::path m_fileName;
    std::map<std::string, TRecLines, TNameLess> m_sections;
    bool m_readOnly = false;
};

} // namespace kav
