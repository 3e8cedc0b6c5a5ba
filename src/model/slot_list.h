#pragma once

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "registration_number_index.h"

namespace kav {

// The container of the position-keyed lists: entries numbered by position from 1 (index 0 is
// position 1), no holes, a limit, and a search by registration number that keeps the meaning of
// "first in list order" without walking the list.
template <typename Slot>
class SlotList {
public:
    using Record = typename Slot::Record;
    // Positions reach limit + 1 and the slot table ends at position 10001.
    static constexpr int kMaxLimit = 10000;

    int count() const { return static_cast<int>(m_slots.size()); }
    int limit() const { return m_limit; }
    // Kept within 0..10000 so that no position can lie beyond the slot table.
    void setLimit(int limit) { m_limit = std::clamp(limit, 0, kMaxLimit); }

    // Copies entry index into out and returns true; outside 0..count-1 out keeps its contents.
    bool byIndex(int index, Record& out) const
    {
        if (!isIndex(index))
            return false;
        out = slotAt(index).data();
        return true;
    }
    // The index of the first entry whose registration number is regNo (cut to 8), or -1.
    int findByRegNo(std::string_view regNo) const { return m_index.first(cutRegNo(regNo)); }
    void clear()
    {
        m_slots.clear();
        m_index.clear();
    }

protected:
    bool isIndex(int index) const { return index >= 0 && index < count(); }
    const Slot& slotAt(int index) const { return m_slots[static_cast<std::size_t>(index)]; }
    // Callers may change anything but the registration number (see rebuildIndex).
    Slot& slotAt(int index) { return m_slots[static_cast<std::size_t>(index)]; }
    std::vector<Slot>& allSlots() { return m_slots; }

    // Places data at its Position, first filling the positions up to it with default entries.
    // Position 0 names no slot and is ignored, as is anything beyond limit + 1.
    void putAtPosition(Record data)
    {
        const int position = data.Position;
        if (position == 0 || position - 1 > m_limit)
            return;
        while (count() < position) {
            m_index.add({}, count());
            m_slots.emplace_back();
        }
        replace(position - 1, std::move(data));
    }

    // Adds data at the end while count is below limit - 1; false when it was dropped.
    bool append(Record data)
    {
        if (count() >= m_limit - 1)
            return false;
        cutKey(data);
        m_index.add(data.RegNo, count());
        m_slots.emplace_back(std::move(data));
        return true;
    }

    // Replaces the whole data of entry index.
    void replace(int index, Record data)
    {
        cutKey(data);
        Slot& slot = slotAt(index);
        if (slot.data().RegNo != data.RegNo) {
            m_index.remove(slot.data().RegNo, index);
            m_index.add(data.RegNo, index);
        }
        slot.setData(std::move(data));
    }

    // After entries were reordered or their keys changed in place.
    void rebuildIndex()
    {
        m_index.clear();
        for (int i = 0; i < count(); ++i)
            m_index.add(slotAt(i).data().RegNo, i);
    }

private:
    static void cutKey(Record& data) { data.RegNo.resize(cutRegNo(data.RegNo).size()); }

    std::vector<Slot> m_slots;
    RegistrationNumberIndex m_index;
    int m_limit = kMaxLimit;
};

} // namespace kav
