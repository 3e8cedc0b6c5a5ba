#pragma once

#include <string>
#include <string_view>

namespace kav {

// Names in settings files compare without regard to letter case. Only A to Z fold, so the order is
// the same on every machine whatever its locale.
char FoldCase(char c);
std::string FoldCase(std::string_view text);
int CompareNoCase(std::string_view a, std::string_view b);
bool EqualNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

} // namespace kav
