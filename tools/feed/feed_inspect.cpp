#include "feed_inspect.h"

#include <string>

#include "parsed_record.h"

namespace kav {

void inspectLine(std::string_view line, std::ostream& out)
{
    const ParsedRecord record = parseRecord(line);
    out << static_cast<int>(record.kind()) << '\t' << (record.valid ? '1' : '0') << '\t' << writeRecord(record.data);
}

void inspectFeed(std::istream& in, std::ostream& out)
{
    std::string line;
    while (std::getline(in, line, '\n')) {
        // getline also yields a last line that has no LF; a recorded feed cut short still shows it.
        inspectLine(line, out);
        out << '\n';
    }
}

} // namespace kav
