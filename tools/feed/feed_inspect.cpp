#include "feed_inspect.h"

#include "parsed_record.h"

namespace kav {

void inspectLine(std::string_view line, std::ostream& out)
{
    const ParsedRecord record = parseRecord(line);
    out << static_cast<int>(record.kind()) << '\t' << (record.valid ? '1' : '0') << '\t' << writeRecord(record.data);
}

LeftOut inspectFeed(std::istream& in, std::ostream& out)
{
    return readFeedLines(in, [&out](std::string_view line) {
        inspectLine(line, out);
        out << '\n';
    });
}

} // namespace kav
