#include "race_state.h"

#include <algorithm>

namespace kav {

TRaceState::TRaceState()
{
    // A competitor sent again (the feed re-sends its whole state) replaces its data.
    CompList.SetUniqueRegNo(true);
    CurrentRaceList.SetLimit(kListLimit);
    LapRaceList.SetLimit(kListLimit);
    PracList.SetLimit(kListLimit);
    CurrentTrackList.SetLimit(kListLimit);
    LapTrackList.SetLimit(kListLimit);
    // These lists grow by appending, which stops one short of the limit: one more lets them hold
    // a passing and a marker for each of the 1000 cars the standings can hold.
    CurrentPassingList.SetLimit(kListLimit + 1);
    LapPassingList.SetLimit(kListLimit + 1);
    MarkerList.SetLimit(kListLimit + 1);
}

int TRaceState::RowsFor(int position) const
{
    if (position <= RowCount)
        return 0;
    const int rows = std::min(((position - 1) / 10 + 1) * 10, kMaxRows);
    return rows > RowCount ? rows : 0;
}

void TRaceState::ClearRun()
{
    CompList.Clear();
    CurrentRaceList.Clear();
    LapRaceList.Clear();
    PracList.Clear();
    CurrentTrackList.Clear();
    LapTrackList.Clear();
    CurrentPassingList.Clear();
    LapPassingList.Clear();
    MarkerList.Clear();
    m_lapHistory.clear();
}

void TRaceState::recordPassing(const TJRec& passing)
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

} // namespace kav
