#include "rec_file.h"

#include <algorithm>
#include <optional>

#include "file_access.h"
#include "file_errors.h"
#include "number_text.h"
#include "text_compare.h"
#include "text_lines.h"

namespace kav {
namespace {

// Lines that differ only in letter case still get a fixed order, so a written file is reproducible.
bool LineLess(const std::string& a, const std::string& b)
{
    const int folded = CompareNoCase(a, b);
    return folded != 0 ? folded < 0 : a < b;
}

// The first line whose first characters are key followed by "=", found by bisection.
TRecLines::const_iterator FindKeyLine(const TRecLines& lines, std::string_view key)
{
    const std::string prefix = std::string(key) + "=";
    const auto it =
        std::lower_bound(lines.begin(), lines.end(), prefix,
                         [](const std::string& line, const std::string& p) { return CompareNoCase(line, p) < 0; });
    return it != lines.end() && StartsWithNoCase(*it, prefix) ? it : lines.end();
}

// A line end or NUL inside a name or value would break the file into other lines when it is read back.
std::string OneLine(std::string_view text)
{
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
    return line;
}

// "[name]": the name is everything but the "[" and the first "]", which must leave a character between.
std::optional<std::string> HeaderName(std::string_view line)
{
    if (line.empty() || line[0] != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos || close < 2)
        return std::nullopt;
    return std::string(line.substr(1, close - 1)).append(line.substr(close + 1));
}

} // namespace

bool TRecFile::TNameLess::operator()(std::string_view a, std::string_view b) const
{
    return CompareNoCase(a, b) < 0;
}

TRecFile::TRecFile(std::filesystem::path fileName, bool readOnly)
    : m_fileName(std::move(fileName)), m_readOnly(readOnly)
{
}

TRecFile TRecFile::Open(const std::filesystem::path& fileName)
{
    const TFileText file = ReadFileText(fileName);
    if (file.State == TFileState::Missing || file.State == TFileState::Unreadable)
        throw ERecFileNotExists(fileName);
    TRecFile database(fileName, true);
    database.Load(file.Text);
    return database;
}

TRecFile TRecFile::CreateNew(const std::filesystem::path& fileName)
{
    return TRecFile(fileName, false);
}

void TRecFile::Load(std::string_view text)
{
    text = SkipByteOrderMark(text.substr(0, text.find('\0')));
    std::optional<std::string> name;
    TRecLines lines;
    const auto finishSection = [&] {
        if (!name)
            return;
        std::sort(lines.begin(), lines.end(), LineLess);
        // A repeated name keeps its first spelling and takes the lines of the later section.
        m_sections.insert_or_assign(*name, std::move(lines));
        lines.clear();
    };
    for (std::string_view line : SplitLines(text)) {
        if (std::optional<std::string> header = HeaderName(line)) {
            finishSection();
            name = std::move(header);
        } else if (name && !line.empty()) {
            lines.emplace_back(line);
        }
    }
    finishSection();
}

void TRecFile::RequireWritable() const
{
    if (m_readOnly)
        throw ERecFileReadOnly();
}

void TRecFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    RequireWritable();
    const std::string name = OneLine(section);
    auto it = m_sections.find(name);
    if (it == m_sections.end())
        it = m_sections.emplace(name, TRecLines{}).first;
    WriteLineValue(it->second, key, value);
}

void TRecFile::WriteLineValue(TRecLines& lines, std::string_view key, std::string_view value)
{
    RequireWritable();
    const std::string line = OneLine(key) + "=" + OneLine(value);
    const auto found = FindKeyLine(lines, OneLine(key));
    if (found != lines.end())
        lines.erase(found);
    lines.insert(std::upper_bound(lines.begin(), lines.end(), line, LineLess), line);
}

std::string TRecFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    const TRecLines* lines = FindSection(section);
    return lines ? ReadLineValue(*lines, key, defaultValue) : std::string(defaultValue);
}

std::string TRecFile::ReadLineValue(const TRecLines& lines, std::string_view key, std::string_view defaultValue) const
{
    const auto found = FindKeyLine(lines, key);
    if (found == lines.end() || found->size() == key.size() + 1)
        return std::string(defaultValue);
    return found->substr(key.size() + 1);
}

void TRecFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

std::int32_t TRecFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const
{
    return ParseWholeNumber(ReadString(section, key, "$")).value_or(defaultValue);
}

void TRecFile::Save() const
{
    RequireWritable();
    ReplaceFile(m_fileName, ToText());
}

std::string TRecFile::ToText() const
{
    std::string text;
    for (const auto& [name, lines] : m_sections) {
        text.append("[").append(name).append("]").append(kLineEnd);
        for (const std::string& line : lines)
            text.append(line).append(kLineEnd);
        text.append(kLineEnd);
    }
    return text;
}

std::vector<std::string> TRecFile::SectionNames() const
{
    std::vector<std::string> names;
    for (const auto& entry : m_sections)
        names.push_back(entry.first);
    return names;
}

const TRecLines* TRecFile::FindSection(std::string_view section) const
{
    const auto it = m_sections.find(section);
    return it == m_sections.end() ? nullptr : &it->second;
}

} // namespace kav
