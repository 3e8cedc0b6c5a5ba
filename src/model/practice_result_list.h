#pragma once

#include <cstdint>
#include <string>

#include "gap_writer.h"
#include "slot.h"
#include "slot_list.h"
#include "timing_records.h"

namespace kav {

// One practice standing: the $H data and the text of the gap column.
struct PracticeResultRecord {
    std::uint16_t Position = 0;
    std::string RegNo;        // Text 8
    std::int32_t BestLap = 0; // lap of the best lap time; 0 while there is none
    TimeValue BestLapTime = 0;
    std::string Gap;
    bool Changed = false; // the last gap computation changed Gap
    bool operator==(const PracticeResultRecord&) const = default;
};

using PracticeResult = Slot<PracticeResultRecord, GapSource>;

// The practice standings: entry k is the competitor in position k + 1, with its gap to the fastest.
class PracticeResultList : public SlotList<PracticeResult> {
public:
    void setFromH(const PracticePositionRecord& record);
    using SlotList::putAtPosition;

    // Each car's best lap time behind the fastest's, "-----" for a car without a best lap.
    void computeGaps();

private:
    GapWriter m_gaps;
};

} // namespace kav
