#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "slot.h"
#include "slot_list.h"

namespace kav {

// One competitor's marker: when it last passed and the status picture of each result window kind.
struct TMarker {
    std::string RegNo;          // Text 8
    std::int32_t PassTime = -1; // time of day of the last passing; -1 for none
    std::uint8_t LapStatus = 0;
    std::uint8_t RaceStatus = 0;
    std::uint8_t PracStatus = 0;
    std::uint8_t TrackStatus = 0;
    bool operator==(const TMarker&) const = default;
};

// One marker per competitor, in the order competitors first appeared.
class TMarkerList : public TSlotList<TSlot<TMarker>> {
public:
    // Sets the marker's pass time, appending a marker for an unknown competitor while there is room.
    void SetPassTime(std::string_view regNo, std::int32_t time);
    // Appends a marker with pass time 0 for an unknown competitor; a known one is left alone.
    void EnsureMarker(std::string_view regNo);
    using TSlotList::Append;

    // Each sets one field of marker index; ignored outside 0..count-1.
    void SetPassTimeAt(int index, std::int32_t time);
    void SetLapStatus(int index, std::uint8_t code) { SetCode(index, &TMarker::LapStatus, code); }
    void SetRaceStatus(int index, std::uint8_t code) { SetCode(index, &TMarker::RaceStatus, code); }
    void SetPracStatus(int index, std::uint8_t code) { SetCode(index, &TMarker::PracStatus, code); }
    void SetTrackStatus(int index, std::uint8_t code) { SetCode(index, &TMarker::TrackStatus, code); }

private:
    void SetCode(int index, std::uint8_t TMarker::*code, std::uint8_t value);
};

} // namespace kav
