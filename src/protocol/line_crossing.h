#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "field_separators.h"
#include "record_of.h"

namespace kav {

// $L: a car crossed a timing line, on the track or in the pit lane.
struct LineCrossingRecord {
    std::string RegNo;  // Text 8
    std::string LineId; // free text given by the timing system, e.g. "T1", "P3"; Text 8
    std::string Line;   // the line's name: "SFT", "SFP", "PIP", "POP" or another; Text 8
    std::string Date;   // "MM/DD/YYYY" as sent
    TimeValue TimeOfDay = 0;
    bool operator==(const LineCrossingRecord&) const = default;
};

// The line names that tell where a car is.
namespace crossing {
inline constexpr std::string_view kTrackFinish = "SFT"; // the start and finish line on the track
inline constexpr std::string_view kPitFinish = "SFP";   // the start and finish line in the pit lane
inline constexpr std::string_view kPitIn = "PIP";
inline constexpr std::string_view kPitOut = "POP";
} // namespace crossing

class RecordL final : public RecordOf<LineCrossingRecord> {
public:
    static constexpr std::string_view kTag = "$L";
    static constexpr int kFields = 5;
    std::string toLine() const override;
};

// The fields after the tag of a $L line, when they are exactly a registration number, a line id and
// name, a date MM/DD/YYYY and a time of day HH:MM:SS with a fraction. Other timing packages send $L
// with other layouts: those are not crossings, and nothing is returned.
std::optional<LineCrossingRecord> readLineCrossing(std::string_view fields, bool utf8,
                                                   const FieldSeparators& separators);

} // namespace kav
