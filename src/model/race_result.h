#pragma once

#include <cstdint>
#include <string>

#include "gap_writer.h"
#include "slot.h"
#include "timing_records.h"

namespace kav {

// One race standing: the $G data and the text of the gap column.
struct RaceResultRecord {
    std::uint16_t Position = 0;
    std::string RegNo; // Text 8
    std::int32_t Laps = 0;
    TimeValue TotalTime = 0;
    std::string Gap;
    bool Changed = false; // the last gap computation changed Gap
    bool operator==(const RaceResultRecord&) const = default;
};

// The track list holds the same data as the race list.
using TrackResultRecord = RaceResultRecord;

// One entry of the race and track lists, with the source of its gap text.
using RaceResult = Slot<RaceResultRecord, GapSource>;
using TrackResult = Slot<TrackResultRecord, GapSource>;

// A $G record as a standing, with no gap text yet.
inline RaceResultRecord makeRaceResult(const RacePositionRecord& g)
{
    return {g.Position, g.RegNo, g.Laps, g.TotalTime, {}, false};
}

} // namespace kav
