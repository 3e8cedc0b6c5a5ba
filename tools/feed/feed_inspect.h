#pragma once

#include <istream>
#include <ostream>
#include <string_view>

#include "feed_file.h"

namespace kav {

// One output line per line the program would take (cut as readFeedLines cuts, a CR part of the line):
// the record kind, TAB, 1 or 0 for a valid record, TAB, and the record written back from the fields it
// held. Returns what was left out, which has no output line.
LeftOut inspectFeed(std::istream& in, std::ostream& out);

// The same for one line, without the line end of the output.
void inspectLine(std::string_view line, std::ostream& out);

} // namespace kav
