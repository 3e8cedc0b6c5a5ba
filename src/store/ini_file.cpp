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

bool IsBlankLine(std::string_view line)
{
    return TrimBlanks(line).empty();
}

// The first line of the section (after its header) that sets the key.
std::vector<std::string>::const_iterator FindKeyLine(const std::vector<std::string>& lines, std::string_view key)
{
    return std::find_if(lines.begin() + 1, lines.end(),
                        [key](const std::string& line) { return IniKeyValue(line, key).has_value(); });
}

} // namespace

TIniFile::TIniFile(std::filesystem::path fileName) : m_fileName(std::move(fileName))
{
    const TFileText file = ReadFileText(m_fileName);
    m_protected = file.State == TFileState::Unreadable || file.State == TFileState::Truncated;
    Load(file.Text);
}

void TIniFile::Load(std::string_view text)
{
    const std::string_view body = SkipByteOrderMark(text);
    m_byteOrderMark = body.size() != text.size();
    for (std::string_view line : SplitLines(body)) {
        if (const std::optional<std::string_view> name = IniSectionName(line))
            m_sections.push_back({FoldCase(*name), {std::string(line)}});
        else if (m_sections.empty())
            m_preamble.emplace_back(line);
        else
            m_sections.back().Lines.emplace_back(line);
    }
}

std::size_t TIniFile::SectionIndex(std::string_view section) const
{
    const std::string folded = FoldCase(TrimBlanks(section));
    const auto it = std::find_if(m_sections.begin(), m_sections.end(),
                                 [&folded](const TSection& s) { return s.FoldedName == folded; });
    return static_cast<std::size_t>(it - m_sections.begin());
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    const std::size_t index = SectionIndex(section);
    if (index == m_sections.size())
        return std::string(defaultValue);
    const std::vector<std::string>& lines = m_sections[index].Lines;
    const auto line = FindKeyLine(lines, TrimBlanks(key));
    if (line == lines.end())
        return std::string(defaultValue);
    return DecodeIniValue(*IniKeyValue(*line, TrimBlanks(key)));
}

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const
{
    // "$" alone is not a number, so a missing key falls back to the default like any bad value.
    return ParseWholeNumber(ReadString(section, key, "$")).value_or(defaultValue);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

// A new section goes at the end of the file, after an empty line so the file stays readable.
void TIniFile::SeparateFromPrevious()
{
    std::vector<std::string>& last = m_sections.empty() ? m_preamble : m_sections.back().Lines;
    if (!last.empty() && !IsBlankLine(last.back()))
        last.emplace_back();
}

TIniFile::TSection& TIniFile::FindOrAddSection(std::string_view section)
{
    const std::size_t index = SectionIndex(section);
    if (index < m_sections.size())
        return m_sections[index];
    SeparateFromPrevious();
    const std::string name = SingleLine(TrimBlanks(section));
    m_sections.push_back({FoldCase(name), {"[" + name + "]"}});
    return m_sections.back();
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string line = SingleLine(TrimBlanks(key)) + "=" + EncodeIniValue(value);
    std::vector<std::string>& lines = FindOrAddSection(section).Lines;
    const auto found = FindKeyLine(lines, TrimBlanks(key));
    if (found != lines.end()) {
        m_modified = m_modified || *found != line;
        lines[static_cast<std::size_t>(found - lines.begin())] = line;
        return;
    }
    // New keys go after the section's last setting, before the empty lines that end it.
    auto end = lines.end();
    while (end - 1 != lines.begin() && IsBlankLine(*(end - 1)))
        --end;
    lines.insert(end, line);
    m_modified = true;
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseKey(std::string_view section, std::string_view key)
{
    const std::string folded = FoldCase(TrimBlanks(section));
    const auto setsKey = [key](const std::string& line) { return IniKeyValue(line, TrimBlanks(key)).has_value(); };
    for (TSection& s : m_sections) {
        if (s.FoldedName != folded)
            continue;
        const auto kept = std::remove_if(s.Lines.begin() + 1, s.Lines.end(), setsKey); // after the "[name]" line
        m_modified = m_modified || kept != s.Lines.end();
        s.Lines.erase(kept, s.Lines.end());
    }
}

void TIniFile::EraseSection(std::string_view section)
{
    const std::string folded = FoldCase(TrimBlanks(section));
    const auto erased = std::erase_if(m_sections, [&folded](const TSection& s) { return s.FoldedName == folded; });
    m_modified = m_modified || erased > 0;
}

void TIniFile::Commit()
{
    if (!m_modified)
        return;
    if (m_protected)
        throw EFileWriteError(m_fileName);
    ReplaceFile(m_fileName, ToText());
    m_modified = false;
}

std::string TIniFile::ToText() const
{
    std::string text(m_byteOrderMark ? kByteOrderMark : std::string_view{});
    for (const std::string& line : m_preamble)
        text.append(line).append(kLineEnd);
    for (const TSection& section : m_sections) {
        for (const std::string& line : section.Lines)
            text.append(line).append(kLineEnd);
    }
    return text;
}

} // namespace kav
