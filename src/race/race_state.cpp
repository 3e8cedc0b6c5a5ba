#include "race_state.h"

#include <algorithm>

namespace kav {

RaceState::RaceState()
{
    // A competitor sent again (the feed re-sends its whole state) replaces its data.
    CompList.setUniqueRegNo(true);
    CurrentRaceList.setLimit(kListLimit);
    LapRaceList.setLimit(kListLimit);
    PracticeList.setLimit(kListLimit);
    LapPracticeList.setLimit(kListLimit);
    CurrentTrackList.setLimit(kListLimit);
    LapTrackList.setLimit(kListLimit);
    // These lists grow by appending, which stops one short of the limit: one more lets them hold
    // a passing and a marker for each of the 1000 cars the standings can hold.
    CurrentPassingList.setLimit(kListLimit + 1);
    LapPassingList.setLimit(kListLimit + 1);
    MarkerList.setLimit(kListLimit + 1);
}

int RaceState::rowsFor(int position) const
{
    if (position <= RowCount)
        return 0;
    const int rows = std::min(((position - 1) / 10 + 1) * 10, kMaxRows);
    return rows > RowCount ? rows : 0;
}

void RaceState::clearRun()
{
    CompList.clear();
    CurrentRaceList.clear();
    LapRaceList.clear();
    PracticeList.clear();
    LapPracticeList.clear();
    CurrentTrackList.clear();
    LapTrackList.clear();
    CurrentPassingList.clear();
    LapPassingList.clear();
    MarkerList.clear();
    // The lap history outlives a new run that turns out to be the same run going on.
    m_lapHistory.awaitRun();
}

void RaceState::recordPassing(const PassingRecord& passing)
{
    LapFlag flag = LapFlag::None;
    if (RaceFinished)
        flag = LapFlag::Finish;
    else if (FlagState == kFlagRed)
        flag = LapFlag::Red;
    else if (FlagState == kFlagYellow)
        flag = LapFlag::Yellow;
    else if (FlagState == kFlagGreen)
        flag = LapFlag::Green;
    m_lapHistory.addPassing(passing, flag);
}

std::uint64_t RaceState::generation() const
{
    return CompList.generation() + ClassTable.generation();
}

EventCar RaceState::describe(std::string_view regNo) const
{
    const FullCompetitorRecord* comp = CompList.find(regNo);
    if (!comp)
        return {std::string(regNo), 0, {}, false};
    const std::string& description = ClassTable.get(comp->ClassNo);
    const std::string className = description.empty() ? "class " + std::to_string(comp->ClassNo) : description;
    return {comp->Number, comp->ClassNo, comp->ClassNo == 0 ? std::string() : className, true};
}

void RaceState::followRun()
{
    if (m_lapHistory.runsStarted() == m_followedRun)
        return;
    m_followedRun = m_lapHistory.runsStarted();
    m_pits.clear();
    m_events.clear();
}

} // namespace kav
