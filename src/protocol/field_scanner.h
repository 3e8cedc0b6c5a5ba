#pragma once

#include <string_view>

namespace kav {

// Takes the next field off the front of a protocol line: `line` is replaced by what follows the field
// and its one separator, `field` receives the field text without quotes. Never fails; the views point
// into the caller's buffer.
void NextField(std::string_view& line, std::string_view& field);

// Replaces the six characters that end an unquoted field.
void SetSeparators(char c1, char c2, char c3, char c4, char c5, char c6);

// Installs the default separators: ';', TAB, ',', CR, NUL, LF.
void ResetSeparators();

bool IsSeparator(char c);

// The character every field writer puts in front of its field.
char OutputSeparator();
void SetOutputSeparator(char c);

} // namespace kav
