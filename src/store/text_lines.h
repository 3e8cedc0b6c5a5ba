#pragma once

#include <string_view>
#include <vector>

namespace kav {

// Lines end at CR LF, LF or CR, so files move between Windows and Linux; a last line without a line
// end still counts, and text that ends with a line end has no empty line after it.
std::vector<std::string_view> splitLines(std::string_view text);

// A UTF-8 byte order mark, as some editors put in front of a hand-edited file, is not part of the text.
std::string_view skipByteOrderMark(std::string_view text);

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
inline constexpr std::string_view kLineEnd = "\r\n";

} // namespace kav
