#pragma once

#include "slot.h"
#include "slot_list.h"
#include "timing_records.h"

namespace kav {

// The latest passing of one competitor.
using Passing = Slot<PassingRecord>;

// The latest $J passing of every competitor, in the order competitors first passed.
class PassingList : public SlotList<Passing> {
public:
    void setFromJ(const PassingRecord& record) { updateOrAppend(record); }
    // Replaces the passing of the record's competitor, or appends it while there is room.
    void updateOrAppend(const PassingRecord& record);
    using SlotList::append;
};

} // namespace kav
