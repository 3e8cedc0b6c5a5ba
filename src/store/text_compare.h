#pragma once

#include <string>
#include <string_view>

namespace kav {

// Names in settings files compare without regard to letter case. Only A to Z fold, so the order is
// the same on every machine whatever its locale.
char foldCase(char c);
std::string foldCase(std::string_view text);
int compareNoCase(std::string_view a, std::string_view b);
bool equalNoCase(std::string_view a, std::string_view b);
bool startsWithNoCase(std::string_view text, std::string_view prefix);

} // namespace kav
