#include "parsed_record.h"

#include <array>
#include <tuple>
#include <type_traits>
#include <utility>

#include "field_scanner.h"
#include "text_helpers.h"

namespace kav {
namespace {

// The record classes in kind order: alternative K of RecordData is the data of class K.
using RecordClasses =
    std::tuple<RecordA, RecordB, RecordC, RecordD, RecordE, RecordF, RecordG, RecordH, RecordI, RecordJ, RecordJQ,
               RecordT, RecordComp, RecordFreq, RecordTranRel, RecordResult, RecordSchemeInfo, RecordS, RecordPoints,
               RecordPointsScheme, RecordQ, RecordSponsorMake>;
constexpr std::size_t kKnownKinds = std::tuple_size_v<RecordClasses>;
static_assert(kKnownKinds == kKindLine && std::variant_size_v<RecordData> == kKnownKinds + 2);

template <std::size_t Kind>
using RecordClass = std::tuple_element_t<Kind, RecordClasses>;

template <std::size_t... Kinds>
constexpr auto tagsOf(std::index_sequence<Kinds...>)
{
    return std::array<std::string_view, sizeof...(Kinds)>{RecordClass<Kinds>::kTag...};
}

// Tags by kind, 0 to 21.
constexpr auto kTags = tagsOf(std::make_index_sequence<kKnownKinds>{});
constexpr std::size_t kLongestTag = 12;

// The kinds of the two-character tags by their letter, so that the common records need no search.
constexpr std::array<std::uint8_t, 26> shortTagKinds()
{
    std::array<std::uint8_t, 26> kinds{};
    kinds.fill(kKindUnknown);
    for (std::size_t kind = 0; kind < kTags.size(); ++kind) {
        if (kTags[kind].size() == 2)
            kinds[static_cast<std::size_t>(kTags[kind][1] - 'A')] = static_cast<std::uint8_t>(kind);
    }
    kinds[static_cast<std::size_t>(RecordL::kTag[1] - 'A')] = kKindCrossing;
    return kinds;
}
constexpr std::array<std::uint8_t, 26> kShortTagKinds = shortTagKinds();

constexpr char toUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The kind of a tag, compared without regard to letter case.
std::uint8_t kindOfTag(std::string_view tag)
{
    if (tag.size() < 2 || tag.size() > kLongestTag || tag[0] != '$')
        return kKindUnknown;
    if (tag.size() == 2) {
        const char letter = toUpper(tag[1]);
        if (letter < 'A' || letter > 'Z')
            return kKindUnknown;
        return kShortTagKinds[static_cast<std::size_t>(letter - 'A')];
    }
    char upperTag[kLongestTag];
    for (std::size_t i = 0; i < tag.size(); ++i)
        upperTag[i] = toUpper(tag[i]);
    const std::string_view wanted(upperTag, tag.size());
    for (std::size_t kind = 0; kind < kTags.size(); ++kind) {
        if (kTags[kind] == wanted)
            return static_cast<std::uint8_t>(kind);
    }
    return kKindUnknown;
}

struct LineParts {
    std::string_view fields; // what follows the tag and its separator
    bool utf8;               // texts count code points rather than bytes
    const FieldSeparators& separators;
};

template <std::size_t Kind>
void parseAs(ParsedRecord& record, const LineParts& line)
{
    using Record = RecordClass<Kind>;
    static_assert(std::is_same_v<typename Record::Data, std::variant_alternative_t<Kind, RecordData>>);
    auto& data = record.data.emplace<Kind>();
    record.valid = storeFields(line.fields, line.utf8, Record::kRequired, line.separators,
                               [&data](int number, std::string_view field, const FieldStore& store) {
                                   Record::storeField(data, number, field, store);
                               });
}

template <std::size_t Kind>
std::string writeAs(const RecordData& data)
{
    RecordClass<Kind> record;
    record.setData(std::get<Kind>(data));
    return record.toLine();
}

template <std::size_t... Kinds>
constexpr auto parsers(std::index_sequence<Kinds...>)
{
    return std::array<void (*)(ParsedRecord&, const LineParts&), sizeof...(Kinds)>{&parseAs<Kinds>...};
}

template <std::size_t... Kinds>
constexpr auto writers(std::index_sequence<Kinds...>)
{
    return std::array<std::string (*)(const RecordData&), sizeof...(Kinds)>{&writeAs<Kinds>...};
}

constexpr auto kParsers = parsers(std::make_index_sequence<kKnownKinds>{});
constexpr auto kWriters = writers(std::make_index_sequence<kKnownKinds>{});

} // namespace

ParsedRecord parseRecord(std::string_view line, const FieldSeparators& separators)
{
    ParsedRecord record;
    std::string_view fields = line;
    std::string_view tag;
    nextField(fields, tag, separators);
    const std::uint8_t kind = kindOfTag(tag);
    if (kind < kKnownKinds) {
        kParsers[kind](record, LineParts{fields, isValidUtf8(line), separators});
    } else if (kind == kKindCrossing) {
        if (auto crossing = readLineCrossing(fields, isValidUtf8(line), separators)) {
            record.data = std::move(*crossing);
            record.valid = true;
        }
    }
    return record;
}

std::optional<TimeValue> timeOfDayOf(const RecordData& data)
{
    if (const auto* heartbeat = std::get_if<HeartbeatRecord>(&data))
        return heartbeat->Time3;
    if (const auto* passing = std::get_if<PassingRecord>(&data))
        return passing->Time3;
    if (const auto* crossing = std::get_if<LineCrossingRecord>(&data))
        return crossing->TimeOfDay;
    if (const auto* start = std::get_if<RunStartRecord>(&data))
        return start->Time1;
    return std::nullopt;
}

std::string writeRecord(const RecordData& data)
{
    if (const auto* crossing = std::get_if<LineCrossingRecord>(&data)) {
        RecordL record;
        record.setData(*crossing);
        return record.toLine();
    }
    return data.index() < kKnownKinds ? kWriters[data.index()](data) : std::string();
}

} // namespace kav
