#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "file_access.h"

namespace kav {

// An ini file ("[section]" lines, each followed by key=value lines) held in memory for one piece of
// work: reads come from memory, writes change only the line they concern, and Commit puts the result
// back in the file. Section and key names compare without regard to letter case; lines the program
// does not know (comments, foreign keys, odd spacing) are kept as they are.
class IniFile {
public:
    // Reads the file; a missing or unreadable file reads as an empty one. Never throws for the file.
    explicit IniFile(std::filesystem::path fileName);

    const std::filesystem::path& fileName() const { return m_fileName; }

    // The default applies when the section or key is missing; an empty value reads as empty.
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // The default also applies when the value is not a whole number.
    std::int32_t readInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    // True when the stored number is not 0.
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Creates the section or key when missing; otherwise replaces the key's line in place.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, std::int32_t value);
    void writeBool(std::string_view section, std::string_view key, bool value);
    // Removes every line that sets the key in the sections of that name.
    void eraseKey(std::string_view section, std::string_view key);
    // Removes every section of that name with all its lines.
    void eraseSection(std::string_view section);

    // Writes the file, atomically, when something changed. Raises FileWriteError, also for a file
    // that was there but could not be read whole, which is never overwritten. Changes not committed
    // are dropped when the object goes away: a destructor cannot report a failed write.
    void commit(FileReaders readers = FileReaders::AsBefore);
    bool modified() const { return m_modified; }
    // The file content as Commit writes it, every line ended by CR LF.
    std::string toText() const;

private:
    struct Section {
        std::string FoldedName;
        std::vector<std::string> Lines; // the "[name]" line first, then everything up to the next one
    };

    void load(std::string_view text);
    // The index of the first section of that name, or the number of sections when there is none.
    std::size_t sectionIndex(std::string_view section) const;
    Section& findOrAddSection(std::string_view section);
    void separateFromPrevious();

    std::filesystem::path m_fileName;
    std::vector<std::string> m_preamble; // lines before the first section
    std::vector<Section> m_sections;
    bool m_byteOrderMark = false;
    bool m_modified = false;
    bool m_protected = false;
};

} // namespace kav
