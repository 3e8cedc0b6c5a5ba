#include "ini_file.h"

#include <algorithm>
#include <optional>

#include "file_access.h"
#include "file_errors.h"
#include "ini_lines.h"
#include "number_text.h"
#include "text_compare.h"
#include "text_lines.h"

namespace kav {
namespace {

bool isBlankLine(std::string_view line)
{
    return trimBlanks(line).empty();
}

// The first line of the section (after its header) that sets the key.
std::vector<std::string>::const_iterator findKeyLine(const std::vector<std::string>& lines, std::string_view key)
{
    return std::find_if(lines.begin() + 1, lines.end(),
                        [key](const std::string& line) { return iniKeyValue(line, key).has_value(); });
}

} // namespace

IniFile::IniFile(std::filesystem::path fileName) : m_fileName(std::move(fileName))
{
    const FileText file = readFileText(m_fileName);
    m_protected = file.State == FileState::Unreadable || file.State == FileState::Truncated;
    load(file.Text);
}

void IniFile::load(std::string_view text)
{
    const std::string_view body = skipByteOrderMark(text);
    m_byteOrderMark = body.size() != text.size();
    for (std::string_view line : splitLines(body)) {
        if (const std::optional<std::string_view> name = iniSectionName(line))
            m_sections.push_back({foldCase(*name), {std::string(line)}});
        else if (m_sections.empty())
            m_preamble.emplace_back(line);
        else
            m_sections.back().Lines.emplace_back(line);
    }
}

std::size_t IniFile::sectionIndex(std::string_view section) const
{
    const std::string folded = foldCase(trimBlanks(section));
    const auto it = std::find_if(m_sections.begin(), m_sections.end(),
                                 [&folded](const Section& s) { return s.FoldedName == folded; });
    return static_cast<std::size_t>(it - m_sections.begin());
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    const std::size_t index = sectionIndex(section);
    if (index == m_sections.size())
        return std::string(defaultValue);
    const std::vector<std::string>& lines = m_sections[index].Lines;
    const auto line = findKeyLine(lines, trimBlanks(key));
    if (line == lines.end())
        return std::string(defaultValue);
    return decodeIniValue(*iniKeyValue(*line, trimBlanks(key)));
}

std::int32_t IniFile::readInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const
{
    // "$" alone is not a number, so a missing key falls back to the default like any bad value.
    return parseWholeNumber(readString(section, key, "$")).value_or(defaultValue);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

// A new section goes at the end of the file, after an empty line so the file stays readable.
void IniFile::separateFromPrevious()
{
    std::vector<std::string>& last = m_sections.empty() ? m_preamble : m_sections.back().Lines;
    if (!last.empty() && !isBlankLine(last.back()))
        last.emplace_back();
}

IniFile::Section& IniFile::findOrAddSection(std::string_view section)
{
    const std::size_t index = sectionIndex(section);
    if (index < m_sections.size())
        return m_sections[index];
    separateFromPrevious();
    const std::string name = singleLine(trimBlanks(section));
    m_sections.push_back({foldCase(name), {"[" + name + "]"}});
    return m_sections.back();
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string line = singleLine(trimBlanks(key)) + "=" + encodeIniValue(value);
    std::vector<std::string>& lines = findOrAddSection(section).Lines;
    const auto found = findKeyLine(lines, trimBlanks(key));
    if (found != lines.end()) {
        m_modified = m_modified || *found != line;
        lines[static_cast<std::size_t>(found - lines.begin())] = line;
        return;
    }
    // New keys go after the section's last setting, before the empty lines that end it.
    auto end = lines.end();
    while (end - 1 != lines.begin() && isBlankLine(*(end - 1)))
        --end;
    lines.insert(end, line);
    m_modified = true;
}

void IniFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

void IniFile::eraseKey(std::string_view section, std::string_view key)
{
    const std::string folded = foldCase(trimBlanks(section));
    const auto setsKey = [key](const std::string& line) { return iniKeyValue(line, trimBlanks(key)).has_value(); };
    for (Section& s : m_sections) {
        if (s.FoldedName != folded)
            continue;
        const auto kept = std::remove_if(s.Lines.begin() + 1, s.Lines.end(), setsKey); // after the "[name]" line
        m_modified = m_modified || kept != s.Lines.end();
        s.Lines.erase(kept, s.Lines.end());
    }
}

void IniFile::eraseSection(std::string_view section)
{
    const std::string folded = foldCase(trimBlanks(section));
    const auto erased = std::erase_if(m_sections, [&folded](const Section& s) { return s.FoldedName == folded; });
    m_modified = m_modified || erased > 0;
}

void IniFile::commit(FileReaders readers)
{
    if (!m_modified)
        return;
    if (m_protected)
        throw FileWriteError(m_fileName);
    replaceFile(m_fileName, toText(), readers);
    m_modified = false;
}

std::string IniFile::toText() const
{
    std::string text(m_byteOrderMark ? kByteOrderMark : std::string_view{});
    for (const std::string& line : m_preamble)
        text.append(line).append(kLineEnd);
    for (const Section& section : m_sections) {
        for (const std::string& line : section.Lines)
            text.append(line).append(kLineEnd);
    }
    return text;
}

} // namespace kav
