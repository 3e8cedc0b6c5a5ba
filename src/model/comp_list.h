#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "competitor_records.h"
#include "regno_index.h"
#include "slot.h"

namespace kav {

// One competitor of the run.
using TCompInfo = TSlot<TCompRec>;

// The competitors of the run in the order they were first added; no limit.
class TCompList {
public:
    int Count() const { return static_cast<int>(m_entries.size()); }
    bool UniqueRegNo() const { return m_uniqueRegNo; }
    // When set, a record whose registration number is present replaces that competitor's data.
    void SetUniqueRegNo(bool unique) { m_uniqueRegNo = unique; }

    void AddOrUpdate(TCompRec record);
    // The competitor at index, or the all-empty record outside 0..count-1.
    TCompRec GetByIndex(int index) const;
    // The first competitor with regNo (cut to 8); the all-empty record for an empty regNo or no match.
    TCompRec FindByRegNo(std::string_view regNo) const;
    void Clear();

private:
    std::vector<TCompInfo> m_entries;
    TRegNoIndex m_index;
    bool m_uniqueRegNo = false;
};

// The longest competitor number in characters, 0 for an empty list; aligns numbers before names.
std::uint8_t MaxNumberLength(const TCompList& list);

} // namespace kav
