#pragma once

#include <vector>

#include "gap_writer.h"
#include "race_res.h"
#include "slot_list.h"

namespace kav {

// The cars in the order they stand on the track relative to a reference crossing of the line.
class TTrackResList : public TSlotList<TTrackRes> {
public:
    void SetFromG(const TGRec& record) { PutAtPosition(MakeRaceRes(record)); }
    using TSlotList::Append;
    using TSlotList::PutAtPosition;

    TimeValue RefTime() const { return m_refTime; }
    void SetRefTime(TimeValue time) { m_refTime = time; }

    // Cars at or after the reference time first, earliest first, then the others, latest first.
    // A second entry of the same car is emptied on the way. The exchange procedure is not stable,
    // and the order of equal times is part of what the windows show, so it is kept as it is.
    void SortTrackOrder();
    // Each car's time to the car directly ahead, "-----" for a car without laps.
    void ComputeGaps();

private:
    // What the exchange procedure looks at of one entry; key -1 stands for an empty RegNo.
    struct TSortItem {
        int slot;
        int key;
        TimeValue time;
        bool emptied;
    };

    std::vector<TSortItem> SortItems() const;
    void ExchangeStep(TSortItem& first, TSortItem& second) const;
    void ApplyOrder(const std::vector<TSortItem>& items);

    TimeValue m_refTime = 0;
    TGapWriter m_gaps;
};

} // namespace kav
