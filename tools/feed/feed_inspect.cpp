#include "feed_inspect.h"

#include <string>

#include "zeb_record.h"

namespace kav {
namespace {

void Inspect(TZebRecord& recogniser, std::string_view line, std::ostream& out)
{
    recogniser.Take(line);
    const auto kind = recogniser.Kind();
    out << static_cast<int>(kind) << '\t' << (recogniser.Success() ? '1' : '0') << '\t';
    if (kind != kKindUnknown)
        out << recogniser.Instance(kind).ToLine();
}

} // namespace

void InspectLine(std::string_view line, std::ostream& out)
{
    TZebRecord recogniser;
    Inspect(recogniser, line, out);
}

void InspectFeed(std::istream& in, std::ostream& out)
{
    TZebRecord recogniser;
    std::string line;
    while (std::getline(in, line, '\n')) {
        // getline also yields a last line that has no LF; a recorded feed cut short still shows it.
        Inspect(recogniser, line, out);
        out << '\n';
    }
}

} // namespace kav
