#include "race_positions.h"

namespace kav {

namespace {
constexpr int kLapMode = 1;
constexpr int kCurrentMode = 2;
} // namespace

TRacePositions::TRacePositions(TRaceState& state, TContentBuilder& content) : m_state(state), m_content(content) {}

void TRacePositions::Apply(const TGRec& record)
{
    const int position = record.Position;
    m_content.GrowRows(position);
    if (position == 0 || position > m_state.RowCount)
        return;
    const int marker = m_state.MarkerList.FindByRegNo(record.RegNo);
    if (LeaderStartsNewLap(record))
        TakeLapSnapshot();
    const int currentIndex = m_state.CurrentRaceList.FindByRegNo(record.RegNo);
    const int lapIndex = m_state.LapRaceList.FindByRegNo(record.RegNo);
    if (marker >= 0 && currentIndex >= 0) {
        const RaceResRec& held = m_state.CurrentRaceList.At(currentIndex);
        if (held.Laps != record.Laps || held.TotalTime != record.TotalTime)
            MarkProgress(record, marker, currentIndex, lapIndex);
    }
    Place(record, currentIndex);
}

bool TRacePositions::LeaderStartsNewLap(const TGRec& record) const
{
    if (record.Position != 1 || m_state.CurrentRaceList.Count() == 0)
        return false;
    const RaceResRec& leader = m_state.CurrentRaceList.At(0);
    const bool same = leader.Laps == record.Laps && leader.TotalTime == record.TotalTime;
    return !same && leader.Position != 0;
}

std::uint8_t TRacePositions::NewStatus(const TGRec& record, int currentIndex, int lapIndex) const
{
    if (m_state.RaceFinished)
        return kChequeredFlag;
    if (currentIndex < 0)
        return kGreenBall;
    return record.Position < lapIndex + 1 ? kGreenArrow : kGreenBall;
}

void TRacePositions::MarkProgress(const TGRec& record, int marker, int currentIndex, int lapIndex)
{
    const std::uint8_t status = NewStatus(record, currentIndex, lapIndex);
    if (lapIndex >= 0)
        m_content.SetCellIcon(kLayoutCompletedLap, TContentBuilder::kColMarker, m_content.Picture(status),
                              lapIndex + 1);
    m_state.MarkerList.SetLapStatus(marker, status);
    m_state.MarkerList.SetRaceStatus(marker, status);
    const int trackIndex = m_state.LapTrackList.FindByRegNo(record.RegNo);
    if (trackIndex >= 0)
        MarkTrackOvertaken(trackIndex, status, marker);
}

void TRacePositions::Place(const TGRec& record, int currentIndex)
{
    const int position = record.Position;
    TCurrentRaceList& current = m_state.CurrentRaceList;
    current.SetFromG(record);
    m_state.lapHistory().takeStanding(record);
    current.ComputeGaps();
    if (currentIndex >= 0 && currentIndex + 1 != position) {
        current.ResetItem(currentIndex);
        if (m_state.RaceFinished)
            m_content.ClearRow(kLayoutCompletedLap, currentIndex + 1);
        m_content.ClearRow(kLayoutCurrentRace, currentIndex + 1);
    }
    m_state.CurrentTrackList.SetFromG(record);
    if (position <= current.Count()) {
        if (m_state.RaceFinished)
            m_content.FillLapRow(position, current.At(position - 1), kCurrentMode);
        m_content.FillRaceRow(position, current.At(position - 1));
    }
    m_content.SetGapCells(kLayoutCurrentRace, current);
}

void TRacePositions::TakeLapSnapshot()
{
    AgeLapStatus();
    CopyLapLists();
    m_content.RefillTrack(m_state.LapTrackList, kLapMode);
    if (m_state.RaceFinished)
        m_content.RefillLap(m_state.CurrentRaceList, kCurrentMode);
    else
        m_content.RefillLap(m_state.LapRaceList, kLapMode);
    const TCurrentRaceList& current = m_state.CurrentRaceList;
    for (int i = 0; i < current.Count(); ++i)
        m_content.SetStatusIcon(kLayoutCurrentRace, current.At(i).RegNo, i + 1);
}

// Whole-list copies: appending entry by entry would stop one short of a full list.
void TRacePositions::CopyLapLists()
{
    m_state.LapRaceList = m_state.CurrentRaceList;
    m_state.LapTrackList = m_state.CurrentTrackList;
    m_state.LapTrackList.SetRefTime(m_state.CurrentRaceList.At(0).TotalTime);
    m_state.LapTrackList.SortTrackOrder();
    m_state.LapTrackList.ComputeGaps();
    m_state.LapPassingList = m_state.CurrentPassingList;
}

void TRacePositions::AgeLapStatus()
{
    AgeLap();
    AgeRace();
    AgeTrack();
}

std::uint8_t TRacePositions::Aged(std::uint8_t status, bool noProgress) const
{
    if (!noProgress)
        return kWhiteFlag;
    return status < kBlackFlag ? static_cast<std::uint8_t>(status + 1) : status;
}

void TRacePositions::AgeLap()
{
    const TCurrentRaceList& lap = m_state.LapRaceList;
    for (int i = 0; i < lap.Count(); ++i) {
        const RaceResRec& entry = lap.At(i);
        const int marker = m_state.MarkerList.FindByRegNo(entry.RegNo);
        const int current = m_state.CurrentRaceList.FindByRegNo(entry.RegNo);
        if (entry.RegNo.empty() || marker < 0 || current < 0)
            continue;
        const bool noProgress = entry.Laps == m_state.CurrentRaceList.At(current).Laps;
        m_state.MarkerList.SetLapStatus(marker, Aged(MarkerAt(marker).LapStatus, noProgress));
    }
}

void TRacePositions::AgeRace()
{
    const TCurrentRaceList& current = m_state.CurrentRaceList;
    for (int i = 0; i < current.Count(); ++i) {
        const RaceResRec& entry = current.At(i);
        const int marker = m_state.MarkerList.FindByRegNo(entry.RegNo);
        if (entry.RegNo.empty() || marker < 0)
            continue;
        const int lap = m_state.LapRaceList.FindByRegNo(entry.RegNo);
        const bool noProgress = lap >= 0 && entry.Laps == m_state.LapRaceList.At(lap).Laps;
        m_state.MarkerList.SetRaceStatus(marker, Aged(MarkerAt(marker).RaceStatus, noProgress));
    }
}

void TRacePositions::AgeTrack()
{
    const TCurrentTrackList& track = m_state.CurrentTrackList;
    for (int i = 0; i < track.Count(); ++i) {
        const TrackResRec& entry = track.At(i);
        const int marker = m_state.MarkerList.FindByRegNo(entry.RegNo);
        const int lap = m_state.LapTrackList.FindByRegNo(entry.RegNo);
        if (entry.RegNo.empty() || marker < 0 || lap < 0)
            continue;
        std::uint8_t status = MarkerAt(marker).TrackStatus;
        if (status == kRedCross)
            status = kWhiteFlag;
        const bool noProgress = entry.Laps == m_state.LapTrackList.At(lap).Laps;
        m_state.MarkerList.SetTrackStatus(marker, Aged(status, noProgress));
    }
}

void TRacePositions::MarkTrackOvertaken(int trackIndex, std::uint8_t status, int marker)
{
    const TCurrentTrackList& track = m_state.LapTrackList;
    if (MarkerAt(marker).TrackStatus == kWhiteFlag) {
        for (int j = trackIndex; j >= 0; --j) {
            const int passed = m_state.MarkerList.FindByRegNo(track.At(j).RegNo);
            if (passed < 0)
                continue;
            if (MarkerAt(passed).TrackStatus != kWhiteFlag)
                break;
            m_content.SetCellIcon(kLayoutTrackPositions, TContentBuilder::kColMarker, m_content.Picture(kRedCross),
                                  j + 1);
            m_state.MarkerList.SetTrackStatus(passed, kRedCross);
        }
    }
    const std::uint8_t own = status == kChequeredFlag ? kChequeredFlag : kGreenBall;
    if (status == kChequeredFlag || status == kGreenBall || status == kGreenArrow) {
        m_content.SetCellIcon(kLayoutTrackPositions, TContentBuilder::kColMarker, m_content.Picture(own),
                              trackIndex + 1);
        m_state.MarkerList.SetTrackStatus(marker, own);
    }
}

} // namespace kav
