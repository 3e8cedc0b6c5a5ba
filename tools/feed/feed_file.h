#pragma once

#include <istream>
#include <string>
#include <vector>

#include "sim_options.h"

namespace kav {

// Writes every line followed by LF; false when the file cannot be written completely.
bool writeFeedFile(const std::string& path, const std::vector<SimLine>& lines);

// The lines of a recorded feed split at LF (a CR stays part of its line, a last line without LF counts),
// timed at the given number of lines per second.
std::vector<SimLine> readPacedFeed(std::istream& in, double linesPerSecond);

} // namespace kav
