#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "competitor_records.h"
#include "field_separators.h"
#include "further_records.h"
#include "line_crossing.h"
#include "record_kind.h"
#include "timing_records.h"

namespace kav {

// The data of one record, its alternative index being its kind for kinds 0 to 21; an unknown line holds
// none, and a line crossing comes last.
using RecordData = std::variant<CompetitorRecord, RunRecord, ClassRecord, DRecord, TrackSettingRecord, HeartbeatRecord,
                                RacePositionRecord, PracticePositionRecord, RunStartRecord, PassingRecord,
                                ExtendedPassingRecord, TRecord, FullCompetitorRecord, FreqRecord, TranRelRecord,
                                ResultRecord, SchemeInfoRecord, SRecord, PointsRecord, PointsSchemeRecord,
                                QualifyingRecord, SponsorMakeRecord, std::monostate, LineCrossingRecord>;

// One line read as a record: the fields it held, the others at their defaults, and whether every
// field its kind requires was there.
struct ParsedRecord {
    RecordData data{std::monostate{}};
    bool valid = false;

    std::uint8_t kind() const
    {
        if (std::holds_alternative<LineCrossingRecord>(data))
            return kKindCrossing;
        return static_cast<std::uint8_t>(data.index() < kKindLine ? data.index() : std::size_t{kKindUnknown});
    }
    bool operator==(const ParsedRecord&) const = default;
};

// Recognises the line's tag and reads the record's fields. Uses no state but its arguments, so any
// number of callers may parse at once.
ParsedRecord parseRecord(std::string_view line, const FieldSeparators& separators = kFeedSeparators);

// The record written back as a protocol line (tag and fields, no line end); empty for an unknown line.
std::string writeRecord(const RecordData& data);

// The time of day a record carries: of a heartbeat, a passing, a line crossing or a new run; nothing
// for the others.
std::optional<TimeValue> timeOfDayOf(const RecordData& data);

} // namespace kav
