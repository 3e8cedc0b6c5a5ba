#include "practice_result_list.h"

namespace kav {

void PracticeResultList::setFromH(const PracticePositionRecord& record)
{
    putAtPosition({record.Position, record.RegNo, record.BestLap, record.BestLapTime, {}, false});
}

void PracticeResultList::computeGaps()
{
    if (count() == 0)
        return;
    const TimeValue fastest = slotAt(0).data().BestLapTime;
    m_gaps.writeEntry(slotAt(0), GapSource::blank());
    for (int k = 1; k < count(); ++k) {
        PracticeResult& entry = slotAt(k);
        const PracticeResultRecord& data = entry.data();
        m_gaps.writeEntry(entry, data.BestLap != 0 ? GapSource::time(std::int64_t{data.BestLapTime} - fastest)
                                                   : GapSource::noTime());
    }
}

} // namespace kav
