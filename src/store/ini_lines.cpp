#include "ini_lines.h"

#include <algorithm>

#include "text_compare.h"

namespace kav {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsQuoted(std::string_view text)
{
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

} // namespace

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::string_view> IniSectionName(std::string_view line)
{
    line = TrimBlanks(line);
    if (line.empty() || line[0] != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return TrimBlanks(line.substr(1, close - 1));
}

std::optional<std::string_view> IniKeyValue(std::string_view line, std::string_view key)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !EqualNoCase(TrimBlanks(line.substr(0, equals)), key))
        return std::nullopt;
    return line.substr(equals + 1);
}

std::string DecodeIniValue(std::string_view raw)
{
    std::string_view value = TrimBlanks(raw);
    if (IsQuoted(value))
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, kMaxIniValueLength));
}

std::string SingleLine(std::string_view text)
{
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

std::string EncodeIniValue(std::string_view value)
{
    std::string line = SingleLine(value);
    if (line != TrimBlanks(line) || IsQuoted(line))
        line = "\"" + line + "\"";
    return line;
}

} // namespace kav
