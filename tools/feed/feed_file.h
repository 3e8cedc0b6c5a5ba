#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "sim_options.h"

namespace kav {

// What the program would not take from a recorded feed, as it would not take it from a channel.
struct LeftOut {
    std::vector<std::size_t> tooLong; // the numbers (from 1) of lines dropped for their length
    bool lastLineUnended = false;     // the feed ends without LF: that last line is held back
};

// Writes every line followed by LF; false when the file cannot be written completely.
bool writeFeedFile(const std::string& path, const std::vector<SimLine>& lines);

// Cuts a recorded feed into lines by the program's own rule (LineCutter) and hands each on as soon as
// it is read, without its LF (a CR before it stays); returns what was left out.
LeftOut readFeedLines(std::istream& in, const std::function<void(std::string_view line)>& onLine);

// The lines of a recorded feed as readFeedLines gives them, timed at the given number of lines per second.
std::vector<SimLine> readPacedFeed(std::istream& in, double linesPerSecond, LeftOut& leftOut);

// One warning line on err for each thing left out of the feed called name; done tells what became of
// the other lines ("sent").
void warnLeftOut(std::ostream& err, const LeftOut& leftOut, std::string_view name, std::string_view done);

} // namespace kav
