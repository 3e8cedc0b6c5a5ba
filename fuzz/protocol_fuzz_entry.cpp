#include "protocol_fuzz_entry.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "field_scanner.h"
#include "parsed_record.h"

namespace kav {
namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "protocol invariant broken: %s\n", what);
        std::abort();
    }
}

bool isNormalisedTime(const std::string& text)
{
    if (text.size() != 13 || text[2] != ':' || text[5] != ':' || text[8] != '.')
        return false;
    for (std::size_t i : {0, 1, 3, 4, 6, 7, 9, 10, 11, 12}) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

void scanAllFields(std::string_view line)
{
    std::string_view field;
    while (!line.empty()) {
        const std::size_t before = line.size();
        nextField(line, field);
        require(line.size() < before, "NextField makes progress");
        require(field.size() <= before, "field lies within the line");
    }
}

} // namespace

void fuzzProtocolOnce(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    scanAllFields(line);
    require(isNormalisedTime(normaliseTimeText(line)), "normalised time has the form dd:dd:dd.dddd");

    const ParsedRecord record = parseRecord(line);
    require(record.kind() != kKindLine, "recognition never yields the raw-line kind");
    require(!(record.kind() == kKindUnknown && record.valid), "unknown lines are not valid");
    const std::string written = writeRecord(record.data);
    require(written.empty() == (record.kind() == kKindUnknown), "every known record writes a line");

    if (record.valid && line.find('"') == std::string_view::npos) {
        // What a valid record writes back is itself a valid record of the same kind. Writers do not
        // escape quotes, so a text holding one may read back differently; such input is left out.
        const ParsedRecord second = parseRecord(written);
        require(second.kind() == record.kind(), "written record keeps its kind");
        require(second.valid, "written record is valid");
    }
}

} // namespace kav
