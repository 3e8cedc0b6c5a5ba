#include "race_result_list.h"

namespace kav {

void RaceResultList::resetItem(int index)
{
    if (!isIndex(index))
        return;
    RaceResultRecord empty;
    empty.Changed = slotAt(index).data().Changed;
    replace(index, std::move(empty));
}

void RaceResultList::computeGaps()
{
    if (count() == 0)
        return;
    TimeValue ref = slotAt(0).data().TotalTime;
    m_gaps.writeEntry(slotAt(0), GapSource::lapCount(slotAt(0).data().Laps));
    for (int k = 1; k < count(); ++k) {
        RaceResult& entry = slotAt(k);
        const RaceResultRecord& data = entry.data();
        if (data.Laps < slotAt(k - 1).data().Laps) {
            ref = data.TotalTime;
            m_gaps.writeEntry(entry, GapSource::lapCount(data.Laps));
        } else if (ref > 0) {
            m_gaps.writeEntry(entry, GapSource::time(std::int64_t{data.TotalTime} - ref));
        } else {
            // Without a time for the group's first car the gap keeps its text.
            entry.mutableData().Changed = false;
        }
    }
}

} // namespace kav
