#pragma once

#include "slot.h"
#include "slot_list.h"
#include "timing_records.h"

namespace kav {

// The latest passing of one competitor.
using TPassing = TSlot<TJRec>;

// The latest $J passing of every competitor, in the order competitors first passed.
class TPassingList : public TSlotList<TPassing> {
public:
    void SetFromJ(const TJRec& record) { UpdateOrAppend(record); }
    // Replaces the passing of the record's competitor, or appends it while there is room.
    void UpdateOrAppend(const TJRec& record);
    using TSlotList::Append;
};

} // namespace kav
