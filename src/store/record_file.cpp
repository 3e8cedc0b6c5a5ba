#include "record_file.h"

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
bool lineLess(const std::string& a, const std::string& b)
{
    const int folded = compareNoCase(a, b);
    return folded != 0 ? folded < 0 : a < b;
}

// The first line whose first characters are key followed by "=", found by bisection.
SectionLines::const_iterator findKeyLine(const SectionLines& lines, std::string_view key)
{
    const std::string prefix = std::string(key) + "=";
    const auto it =
        std::lower_bound(lines.begin(), lines.end(), prefix,
                         [](const std::string& line, const std::string& p) { return compareNoCase(line, p) < 0; });
    return it != lines.end() && startsWithNoCase(*it, prefix) ? it : lines.end();
}

// A line end or NUL inside a name or value would break the file into other lines when it is read back.
std::string oneLine(std::string_view text)
{
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
    return line;
}

// "[name]": the name is everything but the "[" and the first "]", which must leave a character between.
std::optional<std::string> headerName(std::string_view line)
{
    if (line.empty() || line[0] != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos || close < 2)
        return std::nullopt;
    return std::string(line.substr(1, close - 1)).append(line.substr(close + 1));
}

} // namespace

bool RecordFile::NameLess::operator()(std::string_view a, std::string_view b) const
{
    return compareNoCase(a, b) < 0;
}

RecordFile::RecordFile(std::filesystem::path fileName, bool readOnly)
    : m_fileName(std::move(fileName)), m_readOnly(readOnly)
{
}

RecordFile RecordFile::open(const std::filesystem::path& fileName)
{
    const FileText file = readFileText(fileName);
    if (file.State == FileState::Missing || file.State == FileState::Unreadable)
        throw RecordFileMissing(fileName);
    RecordFile database(fileName, true);
    database.load(file.Text);
    return database;
}

RecordFile RecordFile::createNew(const std::filesystem::path& fileName)
{
    return RecordFile(fileName, false);
}

void RecordFile::load(std::string_view text)
{
    text = skipByteOrderMark(text.substr(0, text.find('\0')));
    std::optional<std::string> name;
    SectionLines lines;
    const auto finishSection = [&] {
        if (!name)
            return;
        std::sort(lines.begin(), lines.end(), lineLess);
        // A repeated name keeps its first spelling and takes the lines of the later section.
        m_sections.insert_or_assign(*name, std::move(lines));
        lines.clear();
    };
    for (std::string_view line : splitLines(text)) {
        if (std::optional<std::string> header = headerName(line)) {
            finishSection();
            name = std::move(header);
        } else if (name && !line.empty()) {
            lines.emplace_back(line);
        }
    }
    finishSection();
}

void RecordFile::requireWritable() const
{
    if (m_readOnly)
        throw RecordFileReadOnly();
}

void RecordFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    requireWritable();
    const std::string name = oneLine(section);
    auto it = m_sections.find(name);
    if (it == m_sections.end())
        it = m_sections.emplace(name, SectionLines{}).first;
    writeLineValue(it->second, key, value);
}

void RecordFile::writeLineValue(SectionLines& lines, std::string_view key, std::string_view value)
{
    requireWritable();
    const std::string line = oneLine(key) + "=" + oneLine(value);
    const auto found = findKeyLine(lines, oneLine(key));
    if (found != lines.end())
        lines.erase(found);
    lines.insert(std::upper_bound(lines.begin(), lines.end(), line, lineLess), line);
}

std::string RecordFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    const SectionLines* lines = findSection(section);
    return lines ? readLineValue(*lines, key, defaultValue) : std::string(defaultValue);
}

std::string RecordFile::readLineValue(const SectionLines& lines, std::string_view key,
                                      std::string_view defaultValue) const
{
    const auto found = findKeyLine(lines, key);
    if (found == lines.end() || found->size() == key.size() + 1)
        return std::string(defaultValue);
    return found->substr(key.size() + 1);
}

void RecordFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    writeString(section, key, std::to_string(value));
}

std::int32_t RecordFile::readInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const
{
    return parseWholeNumber(readString(section, key, "$")).value_or(defaultValue);
}

void RecordFile::save(FileReaders readers) const
{
    requireWritable();
    replaceFile(m_fileName, toText(), readers);
}

std::string RecordFile::toText() const
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

std::vector<std::string> RecordFile::sectionNames() const
{
    std::vector<std::string> names;
    for (const auto& entry : m_sections)
        names.push_back(entry.first);
    return names;
}

const SectionLines* RecordFile::findSection(std::string_view section) const
{
    const auto it = m_sections.find(section);
    return it == m_sections.end() ? nullptr : &it->second;
}

} // namespace kav
