#include "ini_lines.h"

#include <algorithm>

#include "text_compare.h"

namespace kav {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isQuoted(std::string_view text)
{
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

} // namespace

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::string_view> iniSectionName(std::string_view line)
{
    line = trimBlanks(line);
    if (line.empty() || line[0] != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trimBlanks(line.substr(1, close - 1));
}

std::optional<std::string_view> iniKeyValue(std::string_view line, std::string_view key)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !equalNoCase(trimBlanks(line.substr(0, equals)), key))
        return std::nullopt;
    return line.substr(equals + 1);
}

std::string decodeIniValue(std::string_view raw)
{
    std::string_view value = trimBlanks(raw);
    if (isQuoted(value))
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, kMaxIniValueLength));
}

std::string singleLine(std::string_view text)
{
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

std::string encodeIniValue(std::string_view value)
{
    std::string line = singleLine(value);
    if (line != trimBlanks(line) || isQuoted(line))
        line = "\"" + line + "\"";
    return line;
}

} // namespace kav
