#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kav {

// Texts read from an ini file are cut to this many characters, as the platform's ini functions do.
inline constexpr std::size_t kMaxIniValueLength = 2047;

// Spaces and tabs around names and values do not count, so hand-edited files read as meant.
std::string_view trimBlanks(std::string_view text);

// The name of a "[name]" line (blanks around the brackets and the name do not count), or nothing.
std::optional<std::string_view> iniSectionName(std::string_view line);

// The raw text after "=" when the line sets the key (compared without regard to letter case).
std::optional<std::string_view> iniKeyValue(std::string_view line, std::string_view key);

// A stored value as the program reads it: without surrounding blanks, without one pair of enclosing
// double quotes, at most kMaxIniValueLength characters.
std::string decodeIniValue(std::string_view raw);

// A name or value with its line ends turned into blanks, since they would split the line.
std::string singleLine(std::string_view text);

// The line text for a value such that decodeIniValue gives the value back: line ends become blanks
// (they would split the line), and a value that reading would change is put in double quotes.
std::string encodeIniValue(std::string_view value);

} // namespace kav
