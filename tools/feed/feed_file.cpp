#include "feed_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>

#include "line_cutter.h"

namespace kav {
namespace {

// What the stream holds without waiting for more (at least one byte; none at its end), so that a feed
// piped in live is handed on as it comes.
std::size_t readAvailable(std::istream& in, char* buffer, std::size_t size)
{
    std::streambuf& source = *in.rdbuf();
    std::size_t got = 0;
    if (source.in_avail() <= 0) {
        const auto first = source.sbumpc();
        if (first == std::char_traits<char>::eof())
            return 0;
        buffer[got++] = static_cast<char>(first);
    }
    const auto ready = std::max<std::streamsize>(source.in_avail(), 0);
    return got + static_cast<std::size_t>(
                     source.sgetn(buffer + got, std::min(ready, static_cast<std::streamsize>(size - got))));
}

} // namespace

bool writeFeedFile(const std::string& path, const std::vector<SimLine>& lines)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& line : lines)
        out << line.text << '\n';
    out.close();
    return static_cast<bool>(out);
}

LeftOut readFeedLines(std::istream& in, const std::function<void(std::string_view line)>& onLine)
{
    LeftOut leftOut;
    LineCutter cutter;
    std::size_t number = 0;
    const auto take = [&](std::string_view line) {
        ++number;
        onLine(line.substr(0, line.size() - 1));
    };
    const auto drop = [&] { leftOut.tooLong.push_back(++number); };
    std::array<char, 16 * 1024> buffer;
    for (std::size_t got; (got = readAvailable(in, buffer.data(), buffer.size())) > 0;)
        cutter.append(std::string_view(buffer.data(), got), take, drop);
    leftOut.lastLineUnended = cutter.insideLine();
    return leftOut;
}

std::vector<SimLine> readPacedFeed(std::istream& in, double linesPerSecond, LeftOut& leftOut)
{
    std::vector<SimLine> lines;
    const double ticksPerLine = kTicksPerSecond / linesPerSecond;
    leftOut = readFeedLines(in, [&](std::string_view text) {
        const double at = std::round(static_cast<double>(lines.size()) * ticksPerLine);
        lines.push_back({static_cast<TimeValue>(std::min(at, double{kMaxShownTime})), std::string(text)});
    });
    return lines;
}

void warnLeftOut(std::ostream& err, const LeftOut& leftOut, std::string_view name, std::string_view done)
{
    for (const std::size_t number : leftOut.tooLong)
        err << "kavendor-feed: line " << number << " of " << name << " is longer than " << LineCutter::kMaxLine
            << " bytes and was dropped, as Kavendor drops it\n";
    if (leftOut.lastLineUnended)
        err << "kavendor-feed: the last line of " << name << " has no line end and was not " << done << '\n';
}

} // namespace kav
