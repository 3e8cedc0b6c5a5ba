#include "race_res_list.h"

namespace kav {

void TRaceResList::ResetItem(int index)
{
    if (!IsIndex(index))
        return;
    RaceResRec empty;
    empty.Changed = SlotAt(index).Data().Changed;
    Replace(index, std::move(empty));
}

void TRaceResList::ComputeGaps()
{
    if (Count() == 0)
        return;
    TimeValue ref = SlotAt(0).Data().TotalTime;
    m_gaps.WriteEntry(SlotAt(0), TGapSource::LapCount(SlotAt(0).Data().Laps));
    for (int k = 1; k < Count(); ++k) {
        TRaceRes& entry = SlotAt(k);
        const RaceResRec& data = entry.Data();
        if (data.Laps < SlotAt(k - 1).Data().Laps) {
            ref = data.TotalTime;
            m_gaps.WriteEntry(entry, TGapSource::LapCount(data.Laps));
        } else if (ref > 0) {
            m_gaps.WriteEntry(entry, TGapSource::Time(std::int64_t{data.TotalTime} - ref));
        } else {
            // Without a time for the group's first car the gap keeps its text.
            entry.MutableData().Changed = false;
        }
    }
}

} // namespace kav
