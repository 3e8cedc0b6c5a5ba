#pragma once

#include <cstdint>

#include "content_builder.h"
#include "race_state.h"

namespace kav {

// Applies race positions ($G): the standings, the completed-lap snapshot when the leader starts a
// new lap, the ageing of the marker pictures and the crosses on the track view.
class TRacePositions {
public:
    TRacePositions(TRaceState& state, TContentBuilder& content);

    void Apply(const TGRec& record);
    void TakeLapSnapshot();
    void AgeLapStatus();
    void MarkTrackOvertaken(int trackIndex, std::uint8_t status, int marker);

private:
    bool LeaderStartsNewLap(const TGRec& record) const;
    std::uint8_t NewStatus(const TGRec& record, int currentIndex, int lapIndex) const;
    void MarkProgress(const TGRec& record, int marker, int currentIndex, int lapIndex);
    void Place(const TGRec& record, int currentIndex);
    void CopyLapLists();
    void AgeLap();
    void AgeRace();
    void AgeTrack();
    std::uint8_t Aged(std::uint8_t status, bool noProgress) const;
    const TMarker& MarkerAt(int index) const { return m_state.MarkerList.At(index); }

    TRaceState& m_state;
    TContentBuilder& m_content;
};

} // namespace kav
