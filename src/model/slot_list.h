#pragma once

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "regno_index.h"

namespace kav {

// The container of the position-keyed lists: entries numbered by position from 1 (index 0 is
// position 1), no holes, a limit, and a search by registration number that keeps the meaning of
// "first in list order" without walking the list.
template <typename Slot>
class TSlotList {
public:
    using Record = typename Slot::Record;
    // Positions reach limit + 1 and the slot table ends at position 10001.
    static constexpr int kMaxLimit = 10000;

    int Count() const { return static_cast<int>(m_slots.size()); }
    int Limit() const { return m_limit; }
    // Kept within 0..10000 so that no position can lie beyond the slot table.
    void SetLimit(int limit) { m_limit = std::clamp(limit, 0, kMaxLimit); }

    // Copies entry index into out and returns true; outside 0..count-1 out keeps its contents.
    bool GetByIndex(int index, Record& out) const
    {
        if (!IsIndex(index))
            return false;
        out = SlotAt(index).Data();
        return true;
    }
    // The index of the first entry whose registration number is regNo (cut to 8), or -1.
    int FindByRegNo(std::string_view regNo) const { return m_index.First(CutRegNo(regNo)); }
    void Clear()
    {
        m_slots.clear();
        m_index.Clear();
    }

protected:
    bool IsIndex(int index) const { return index >= 0 && index < Count(); }
    const Slot& SlotAt(int index) const { return m_slots[static_cast<std::size_t>(index)]; }
    // Callers may change anything but the registration number (see RebuildIndex).
    Slot& SlotAt(int index) { return m_slots[static_cast<std::size_t>(index)]; }
    std::vector<Slot>& Slots() { return m_slots; }

    // Places data at its Position, first filling the positions up to it with default entries.
    // Position 0 names no slot and is ignored, as is anything beyond limit + 1.
    void PutAtPosition(Record data)
    {
        const int position = data.Position;
        if (position == 0 || position - 1 > m_limit)
            return;
        while (Count() < position) {
            m_index.Add({}, Count());
            m_slots.emplace_back();
        }
        Replace(position - 1, std::move(data));
    }

    // Adds data at the end while count is below limit - 1; false when it was dropped.
    bool Append(Record data)
    {
        if (Count() >= m_limit - 1)
            return false;
        CutKey(data);
        m_index.Add(data.RegNo, Count());
        m_slots.emplace_back(std::move(data));
        return true;
    }

    // Replaces the whole data of entry index.
    void Replace(int index, Record data)
    {
        CutKey(data);
        Slot& slot = SlotAt(index);
        if (slot.Data().RegNo != data.RegNo) {
            m_index.Remove(slot.Data().RegNo, index);
            m_index.Add(data.RegNo, index);
        }
        slot.SetData(std::move(data));
    }

    // After entries were reordered or their keys changed in place.
    void RebuildIndex()
    {
        m_index.Clear();
        for (int i = 0; i < Count(); ++i)
            m_index.Add(SlotAt(i).Data().RegNo, i);
    }

private:
    static void CutKey(Record& data) { data.RegNo.resize(CutRegNo(data.RegNo).size()); }

    std::vector<Slot> m_slots;
    TRegNoIndex m_index;
    int m_limit = kMaxLimit;
};

} // namespace kav
