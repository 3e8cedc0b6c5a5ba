#pragma once

#include "gap_writer.h"
#include "race_result.h"
#include "slot_list.h"

namespace kav {

// The race standings: entry k is the competitor in position k + 1, with the gap column's text.
class RaceResultList : public SlotList<RaceResult> {
public:
    void setFromG(const RacePositionRecord& record) { putAtPosition(makeRaceResult(record)); }
    using SlotList::append;
    using SlotList::putAtPosition;

    // Empties entry index but keeps its Changed flag; ignored outside 0..count-1.
    void resetItem(int index);
    // Each car's time behind the first car of its lap group; that car shows ">> laps <<".
    void computeGaps();

private:
    GapWriter m_gaps;
};

} // namespace kav
