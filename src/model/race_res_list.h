#pragma once

#include "gap_writer.h"
#include "race_res.h"
#include "slot_list.h"

namespace kav {

// The race standings: entry k is the competitor in position k + 1, with the gap column's text.
class TRaceResList : public TSlotList<TRaceRes> {
public:
    void SetFromG(const TGRec& record) { PutAtPosition(MakeRaceRes(record)); }
    using TSlotList::Append;
    using TSlotList::PutAtPosition;

    // Empties entry index but keeps its Changed flag; ignored outside 0..count-1.
    void ResetItem(int index);
    // Each car's time behind the first car of its lap group; that car shows ">> laps <<".
    void ComputeGaps();

private:
    TGapWriter m_gaps;
};

} // namespace kav
