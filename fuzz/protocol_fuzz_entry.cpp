#include "protocol_fuzz_entry.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "field_scanner.h"
#include "zeb_record.h"

namespace kav {
namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "protocol invariant broken: %s\n", what);
        std::abort();
    }
}

bool IsNormalisedTime(const std::string& text)
{
    if (text.size() != 13 || text[2] != ':' || text[5] != ':' || text[8] != '.')
        return false;
    for (std::size_t i : {0, 1, 3, 4, 6, 7, 9, 10, 11, 12}) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

void ScanAllFields(std::string_view line)
{
    std::string_view field;
    while (!line.empty()) {
        const std::size_t before = line.size();
        NextField(line, field);
        Require(line.size() < before, "NextField makes progress");
        Require(field.size() <= before, "field lies within the line");
    }
}

void UseEveryGetter(TZebRecord& r)
{
    (void)r.GetRecordA();
    (void)r.GetRecordB();
    (void)r.GetRecordC();
    (void)r.GetRecordE();
    (void)r.GetRecordF();
    (void)r.GetRecordG();
    (void)r.GetRecordH();
    (void)r.GetRecordI();
    (void)r.GetRecordJ();
    (void)r.GetRecordJQ();
    (void)r.GetRecordComp();
    (void)r.GetRecordQ();
    (void)r.GetRecordSponsorMake();
}

} // namespace

void FuzzProtocolOnce(const std::uint8_t* data, std::size_t size)
{
    static TZebRecord recogniser;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    ScanAllFields(line);
    Require(IsNormalisedTime(NormaliseTimeText(line)), "normalised time has the form dd:dd:dd.dddd");

    recogniser.Take(line);
    Require(recogniser.Kind() <= kKindUnknown, "kind in range");
    Require(recogniser.Kind() != kKindLine, "recognition never yields the raw-line kind");
    Require(!(recogniser.Kind() == kKindUnknown && recogniser.Success()), "unknown lines are not valid");
    UseEveryGetter(recogniser);
    for (std::uint8_t kind = 0; kind < kKindUnknown; ++kind)
        (void)recogniser.Instance(kind).ToLine();

    if (recogniser.Success() && line.find('"') == std::string_view::npos) {
        // What a valid record writes back is itself a valid record of the same kind. Writers do not
        // escape quotes, so a text holding one may read back differently; such input is left out.
        const std::string written = recogniser.Instance(recogniser.Kind()).ToLine();
        TZebRecord second;
        second.Take(written);
        Require(second.Kind() == recogniser.Kind(), "written record keeps its kind");
        Require(second.Success(), "written record is valid");
    }
}

} // namespace kav
