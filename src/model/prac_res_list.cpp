#include "prac_res_list.h"

namespace kav {

void TPracResList::SetFromH(const THRec& record)
{
    PutAtPosition({record.Position, record.RegNo, record.BestLap, record.BestLapTime, {}, false});
}

void TPracResList::ComputeGaps()
{
    if (Count() == 0)
        return;
    const TimeValue fastest = SlotAt(0).Data().BestLapTime;
    m_gaps.WriteEntry(SlotAt(0), TGapSource::Blank());
    for (int k = 1; k < Count(); ++k) {
        TPracRes& entry = SlotAt(k);
        const PracResRec& data = entry.Data();
        m_gaps.WriteEntry(entry, data.BestLap != 0 ? TGapSource::Time(std::int64_t{data.BestLapTime} - fastest)
                                                   : TGapSource::NoTime());
    }
}

} // namespace kav
