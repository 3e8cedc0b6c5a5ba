#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kav {

// Only the space character (32) counts; tabs and other white space stay.
std::string_view trimLeadingSpaces(std::string_view text);
std::string_view trimTrailingSpaces(std::string_view text);
std::string_view trimSpaces(std::string_view text);

// Exactly n characters: the text cut, or padded with spaces.
std::string fixLength(std::string_view text, std::size_t n);

// A driver's display name: "First Last", shortened to "F. Last" and then "Last" to fit maxLength
// (0 = no limit).
std::string composeName(std::string_view firstName, std::string_view lastName, std::size_t maxLength);

// The lenient numeric-field conversion: decimal or hexadecimal ("$", "x", "0x"), and on anything
// unexpected the digits read so far, without their sign. Callers keep the low bits their field holds.
std::int32_t convertInteger(std::string_view text);
// The strict one, for fixed-width fields such as dates and times: the value of one to nine decimal
// digits and nothing else; -1 for any other text.
std::int32_t digitsValue(std::string_view text);

// True when the text is well-formed UTF-8 (plain ASCII included).
bool isValidUtf8(std::string_view text);

// The first n characters of a text. With utf8 a character is a code point and a cut never splits a
// sequence; otherwise a character is a byte (a Windows-1252 feed).
std::string_view cutText(std::string_view text, std::size_t n, bool utf8);

} // namespace kav
