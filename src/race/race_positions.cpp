#include "race_positions.h"

namespace kav {

namespace {
constexpr int kLapMode = 1;
constexpr int kCurrentMode = 2;
} // namespace

RacePositions::RacePositions(RaceState& state, ContentBuilder& content) : m_state(state), m_content(content) {}

void RacePositions::apply(const RacePositionRecord& record)
{
    const int position = record.Position;
    m_content.growRows(position);
    if (position == 0 || position > m_state.RowCount)
        return;
    const int marker = m_state.MarkerList.findByRegNo(record.RegNo);
    if (leaderStartsNewLap(record))
        takeLapSnapshot();
    const int currentIndex = m_state.CurrentRaceList.findByRegNo(record.RegNo);
    const int lapIndex = m_state.LapRaceList.findByRegNo(record.RegNo);
    if (marker >= 0 && currentIndex >= 0) {
        const RaceResultRecord& held = m_state.CurrentRaceList.at(currentIndex);
        if (held.Laps != record.Laps || held.TotalTime != record.TotalTime)
            markProgress(record, marker, currentIndex, lapIndex);
    }
    place(record, currentIndex);
}

bool RacePositions::leaderStartsNewLap(const RacePositionRecord& record) const
{
    if (record.Position != 1 || m_state.CurrentRaceList.count() == 0)
        return false;
    const RaceResultRecord& leader = m_state.CurrentRaceList.at(0);
    const bool same = leader.Laps == record.Laps && leader.TotalTime == record.TotalTime;
    return !same && leader.Position != 0;
}

std::uint8_t RacePositions::newStatus(const RacePositionRecord& record, int currentIndex, int lapIndex) const
{
    if (m_state.RaceFinished)
        return kChequeredFlag;
    if (currentIndex < 0)
        return kGreenBall;
    return record.Position < lapIndex + 1 ? kGreenArrow : kGreenBall;
}

void RacePositions::markProgress(const RacePositionRecord& record, int marker, int currentIndex, int lapIndex)
{
    const std::uint8_t status = newStatus(record, currentIndex, lapIndex);
    if (lapIndex >= 0)
        m_content.setCellIcon(kLayoutCompletedLap, ContentBuilder::kColMarker, status, lapIndex + 1);
    m_state.MarkerList.setLapStatus(marker, status);
    m_state.MarkerList.setRaceStatus(marker, status);
    const int trackIndex = m_state.LapTrackList.findByRegNo(record.RegNo);
    if (trackIndex >= 0)
        markTrackOvertaken(trackIndex, status, marker);
}

void RacePositions::place(const RacePositionRecord& record, int currentIndex)
{
    const int position = record.Position;
    ReadableRaceList& current = m_state.CurrentRaceList;
    current.setFromG(record);
    m_state.lapHistory().takeStanding(record);
    m_state.followRun();
    m_state.pits().takeLaps(record.RegNo, record.Laps);
    current.computeGaps();
    if (currentIndex >= 0 && currentIndex + 1 != position) {
        current.resetItem(currentIndex);
        if (m_state.RaceFinished)
            m_content.clearRow(kLayoutCompletedLap, currentIndex + 1);
        m_content.clearRow(kLayoutCurrentRace, currentIndex + 1);
    }
    m_state.CurrentTrackList.setFromG(record);
    if (position <= current.count()) {
        if (m_state.RaceFinished)
            m_content.fillLapRow(position, current.at(position - 1), kCurrentMode);
        m_content.fillRaceRow(position, current.at(position - 1));
    }
    m_content.setGapCells(kLayoutCurrentRace, current);
    // Only the car's new row and the row it left changed.
    const int first = currentIndex < 0 ? position - 1 : std::min(currentIndex, position - 1);
    const int last = std::max(currentIndex, position - 1);
    m_content.putClassCells(kLayoutCurrentRace, current, first, last);
    if (m_state.RaceFinished)
        m_content.putClassCells(kLayoutCompletedLap, current, first, last);
    m_state.events().takeStanding(record, m_state.eventNames());
}

void RacePositions::takeLapSnapshot()
{
    ageLapStatus();
    copyLapLists();
    m_content.refillTrack(m_state.LapTrackList, kLapMode);
    if (m_state.RaceFinished)
        m_content.refillLap(m_state.CurrentRaceList, kCurrentMode);
    else
        m_content.refillLap(m_state.LapRaceList, kLapMode);
    const ReadableRaceList& current = m_state.CurrentRaceList;
    for (int i = 0; i < current.count(); ++i)
        m_content.setStatusIcon(kLayoutCurrentRace, current.at(i).RegNo, i + 1);
}

// Whole-list copies: appending entry by entry would stop one short of a full list.
void RacePositions::copyLapLists()
{
    m_state.LapRaceList = m_state.CurrentRaceList;
    m_state.LapTrackList = m_state.CurrentTrackList;
    m_state.LapTrackList.setRefTime(m_state.CurrentRaceList.at(0).TotalTime);
    m_state.LapTrackList.sortTrackOrder();
    m_state.LapTrackList.computeGaps();
    m_state.LapPassingList = m_state.CurrentPassingList;
    m_state.LapPracticeList = m_state.PracticeList;
}

void RacePositions::ageLapStatus()
{
    ageLap();
    ageRace();
    ageTrack();
}

std::uint8_t RacePositions::aged(std::uint8_t status, bool noProgress) const
{
    if (!noProgress)
        return kWhiteFlag;
    return status < kBlackFlag ? static_cast<std::uint8_t>(status + 1) : status;
}

void RacePositions::ageLap()
{
    const ReadableRaceList& lap = m_state.LapRaceList;
    for (int i = 0; i < lap.count(); ++i) {
        const RaceResultRecord& entry = lap.at(i);
        const int marker = m_state.MarkerList.findByRegNo(entry.RegNo);
        const int current = m_state.CurrentRaceList.findByRegNo(entry.RegNo);
        if (entry.RegNo.empty() || marker < 0 || current < 0)
            continue;
        const bool noProgress = entry.Laps == m_state.CurrentRaceList.at(current).Laps;
        m_state.MarkerList.setLapStatus(marker, aged(markerAt(marker).LapStatus, noProgress));
    }
}

void RacePositions::ageRace()
{
    const ReadableRaceList& current = m_state.CurrentRaceList;
    for (int i = 0; i < current.count(); ++i) {
        const RaceResultRecord& entry = current.at(i);
        const int marker = m_state.MarkerList.findByRegNo(entry.RegNo);
        if (entry.RegNo.empty() || marker < 0)
            continue;
        const int lap = m_state.LapRaceList.findByRegNo(entry.RegNo);
        const bool noProgress = lap >= 0 && entry.Laps == m_state.LapRaceList.at(lap).Laps;
        const std::uint8_t status = aged(markerAt(marker).RaceStatus, noProgress);
        if (status == kBlackFlag && markerAt(marker).RaceStatus == kGreyFlag)
            m_state.events().takeStop(entry.RegNo, m_state.eventNames());
        m_state.MarkerList.setRaceStatus(marker, status);
    }
}

void RacePositions::ageTrack()
{
    const ReadableTrackList& track = m_state.CurrentTrackList;
    for (int i = 0; i < track.count(); ++i) {
        const TrackResultRecord& entry = track.at(i);
        const int marker = m_state.MarkerList.findByRegNo(entry.RegNo);
        const int lap = m_state.LapTrackList.findByRegNo(entry.RegNo);
        if (entry.RegNo.empty() || marker < 0 || lap < 0)
            continue;
        std::uint8_t status = markerAt(marker).TrackStatus;
        if (status == kRedCross)
            status = kWhiteFlag;
        const bool noProgress = entry.Laps == m_state.LapTrackList.at(lap).Laps;
        m_state.MarkerList.setTrackStatus(marker, aged(status, noProgress));
    }
}

void RacePositions::markTrackOvertaken(int trackIndex, std::uint8_t status, int marker)
{
    const ReadableTrackList& track = m_state.LapTrackList;
    if (markerAt(marker).TrackStatus == kWhiteFlag) {
        for (int j = trackIndex; j >= 0; --j) {
            const int passed = m_state.MarkerList.findByRegNo(track.at(j).RegNo);
            if (passed < 0)
                continue;
            if (markerAt(passed).TrackStatus != kWhiteFlag)
                break;
            m_content.setCellIcon(kLayoutTrackPositions, ContentBuilder::kColMarker, kRedCross, j + 1);
            m_state.MarkerList.setTrackStatus(passed, kRedCross);
        }
    }
    const std::uint8_t own = status == kChequeredFlag ? kChequeredFlag : kGreenBall;
    if (status == kChequeredFlag || status == kGreenBall || status == kGreenArrow) {
        m_content.setCellIcon(kLayoutTrackPositions, ContentBuilder::kColMarker, own, trackIndex + 1);
        m_state.MarkerList.setTrackStatus(marker, own);
    }
}

} // namespace kav
