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
    std::tuple<TRecordA, TRecordB, TRecordC, TRecordD, TRecordE, TRecordF, TRecordG, TRecordH, TRecordI, TRecordJ,
               TRecordJQ, TRecordT, TRecordComp, TRecordFreq, TRecordTranRel, TRecordResult, TRecordSchemeInfo,
               TRecordS, TRecordPnts, TRecordPointsScheme, TRecordQ, TRecordSponsorMake>;
constexpr std::size_t kKnownKinds = std::tuple_size_v<RecordClasses>;
static_assert(kKnownKinds == kKindLine && std::variant_size_v<RecordData> == kKnownKinds + 1);

template <std::size_t Kind>
using RecordClass = std::tuple_element_t<Kind, RecordClasses>;

struct LineParts {
    std::string_view fields; // what follows the tag and its separator
    bool utf8;               // texts count code points rather than bytes
    const FieldSeparators& separators;
};

template <std::size_t Kind>
void ParseAs(ParsedRecord& record, const LineParts& line)
{
    using Record = RecordClass<Kind>;
    static_assert(std::is_same_v<typename Record::Data, std::variant_alternative_t<Kind, RecordData>>);
    auto& data = record.data.emplace<Kind>();
    record.valid = StoreFields(line.fields, line.utf8, Record::kRequired, line.separators,
                               [&data](int number, std::string_view field, const TFieldStore& store) {
                                   Record::StoreField(data, number, field, store);
                               });
}

template <std::size_t Kind>
std::string WriteAs(const RecordData& data)
{
    RecordClass<Kind> record;
    record.SetData(std::get<Kind>(data));
    return record.ToLine();
}

template <std::size_t... Kinds>
constexpr auto Parsers(std::index_sequence<Kinds...>)
{
    return std::array<void (*)(ParsedRecord&, const LineParts&), sizeof...(Kinds)>{&ParseAs<Kinds>...};
}

template <std::size_t... Kinds>
constexpr auto Writers(std::index_sequence<Kinds...>)
{
    return std::array<std::string (*)(const RecordData&), sizeof...(Kinds)>{&WriteAs<Kinds>...};
}

constexpr auto kParsers = Parsers(std::make_index_sequence<kKnownKinds>{});
constexpr auto kWriters = Writers(std::make_index_sequence<kKnownKinds>{});

} // namespace

ParsedRecord parseRecord(std::string_view line, const FieldSeparators& separators)
{
    ParsedRecord record;
    std::string_view fields = line;
    std::string_view tag;
    NextField(fields, tag, separators);
    const std::uint8_t kind = kindOfTag(tag);
    if (kind < kKnownKinds)
        kParsers[kind](record, LineParts{fields, IsValidUtf8(line), separators});
    return record;
}

std::string writeRecord(const RecordData& data)
{
    return data.index() < kKnownKinds ? kWriters[data.index()](data) : std::string();
}

} // namespace kav
