#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "slot.h"
#include "slot_list.h"

namespace kav {

// One competitor's marker: when it last passed and the status picture of each result window kind.
struct Marker {
    std::string RegNo;          // Text 8
    std::int32_t PassTime = -1; // time of day of the last passing; -1 for none
    std::uint8_t LapStatus = 0;
    std::uint8_t RaceStatus = 0;
    std::uint8_t PracticeStatus = 0;
    std::uint8_t TrackStatus = 0;
    bool operator==(const Marker&) const = default;
};

// One marker per competitor, in the order competitors first appeared.
class MarkerList : public SlotList<Slot<Marker>> {
public:
    // Sets the marker's pass time, appending a marker for an unknown competitor while there is room.
    void setPassTime(std::string_view regNo, std::int32_t time);
    // Appends a marker with pass time 0 for an unknown competitor; a known one is left alone.
    void ensureMarker(std::string_view regNo);
    using SlotList::append;

    // Each sets one field of marker index; ignored outside 0..count-1.
    void setPassTimeAt(int index, std::int32_t time);
    void setLapStatus(int index, std::uint8_t code) { setCode(index, &Marker::LapStatus, code); }
    void setRaceStatus(int index, std::uint8_t code) { setCode(index, &Marker::RaceStatus, code); }
    void setPracticeStatus(int index, std::uint8_t code) { setCode(index, &Marker::PracticeStatus, code); }
    void setTrackStatus(int index, std::uint8_t code) { setCode(index, &Marker::TrackStatus, code); }

private:
    void setCode(int index, std::uint8_t Marker::*code, std::uint8_t value);
};

} // namespace kav
