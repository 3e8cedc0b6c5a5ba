#pragma once

#include <cstdint>
#include <string>

#include "gap_writer.h"
#include "slot.h"
#include "slot_list.h"
#include "timing_records.h"

namespace kav {

// One practice standing: the $H data and the text of the gap column.
struct PracResRec {
    std::uint16_t Position = 0;
    std::string RegNo;        // Text 8
    std::int32_t BestLap = 0; // lap of the best lap time; 0 while there is none
    TimeValue BestLapTime = 0;
    std::string Gap;
    bool Changed = false; // the last gap computation changed Gap
    bool operator==(const PracResRec&) const = default;
};

using TPracRes = TSlot<PracResRec, TGapSource>;

// The practice standings: entry k is the competitor in position k + 1, with its gap to the fastest.
class TPracResList : public TSlotList<TPracRes> {
public:
    void SetFromH(const THRec& record);
    using TSlotList::PutAtPosition;

    // Each car's best lap time behind the fastest's, "-----" for a car without a best lap.
    void ComputeGaps();

private:
    TGapWriter m_gaps;
};

} // namespace kav
