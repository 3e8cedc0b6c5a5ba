#pragma once

#include <vector>

#include "gap_writer.h"
#include "race_result.h"
#include "slot_list.h"

namespace kav {

// The cars in the order they stand on the track relative to a reference crossing of the line.
class TrackResultList : public SlotList<TrackResult> {
public:
    void setFromG(const RacePositionRecord& record) { putAtPosition(makeRaceResult(record)); }
    using SlotList::append;
    using SlotList::putAtPosition;

    TimeValue refTime() const { return m_refTime; }
    void setRefTime(TimeValue time) { m_refTime = time; }

    // Cars at or after the reference time first, earliest first, then the others, latest first.
    // A second entry of the same car is emptied on the way. The exchange procedure is not stable,
    // and the order of equal times is part of what the windows show, so it is kept as it is.
    void sortTrackOrder();
    // Each car's time to the car directly ahead, "-----" for a car without laps.
    void computeGaps();

private:
    // What the exchange procedure looks at of one entry; key -1 stands for an empty RegNo.
    struct SortItem {
        int slot;
        int key;
        TimeValue time;
        bool emptied;
    };

    std::vector<SortItem> sortItems() const;
    void exchangeStep(SortItem& first, SortItem& second) const;
    void applyOrder(const std::vector<SortItem>& items);

    TimeValue m_refTime = 0;
    GapWriter m_gaps;
};

} // namespace kav
