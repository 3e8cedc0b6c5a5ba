#include "feed_file.h"

#include <cmath>
#include <fstream>

namespace kav {

bool writeFeedFile(const std::string& path, const std::vector<SimLine>& lines)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& line : lines)
        out << line.text << '\n';
    out.close();
    return static_cast<bool>(out);
}

std::vector<SimLine> readPacedFeed(std::istream& in, double linesPerSecond)
{
    std::vector<SimLine> lines;
    std::string text;
    const double ticksPerLine = kTicksPerSecond / linesPerSecond;
    while (std::getline(in, text, '\n')) {
        const double at = std::round(static_cast<double>(lines.size()) * ticksPerLine);
        lines.push_back({static_cast<TimeValue>(std::min(at, double{kMaxShownTime})), std::move(text)});
    }
    return lines;
}

} // namespace kav
