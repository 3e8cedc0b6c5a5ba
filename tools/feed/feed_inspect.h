#pragma once

#include <istream>
#include <ostream>
#include <string_view>

namespace kav {

// One output line per input line (split at LF, a CR stays part of the line): the record kind, TAB,
// 1 or 0 for a valid record, TAB, and the record written back from the fields it held.
void inspectFeed(std::istream& in, std::ostream& out);

// The same for one line, without the line end of the output.
void inspectLine(std::string_view line, std::ostream& out);

} // namespace kav
