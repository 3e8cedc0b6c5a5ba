#pragma once

#include <cstdint>

#include "content_builder.h"
#include "race_state.h"

namespace kav {

// Applies race positions ($G): the standings, the completed-lap snapshot when the leader starts a
// new lap, the ageing of the marker pictures and the crosses on the track view.
class RacePositions {
public:
    RacePositions(RaceState& state, ContentBuilder& content);

    void apply(const RacePositionRecord& record);
    void takeLapSnapshot();
    void ageLapStatus();
    void markTrackOvertaken(int trackIndex, std::uint8_t status, int marker);

private:
    bool leaderStartsNewLap(const RacePositionRecord& record) const;
    std::uint8_t newStatus(const RacePositionRecord& record, int currentIndex, int lapIndex) const;
    void markProgress(const RacePositionRecord& record, int marker, int currentIndex, int lapIndex);
    void place(const RacePositionRecord& record, int currentIndex);
    void copyLapLists();
    void ageLap();
    void ageRace();
    void ageTrack();
    std::uint8_t aged(std::uint8_t status, bool noProgress) const;
    const Marker& markerAt(int index) const { return m_state.MarkerList.at(index); }

    RaceState& m_state;
    ContentBuilder& m_content;
};

} // namespace kav
