#include "track_result_list.h"

#include <cstdlib>
#include <utility>

namespace kav {
namespace {

// True when a car with time b stands before one with time a on the track, r being the reference.
bool standsBefore(TimeValue b, TimeValue a, TimeValue r)
{
    if (a >= r && b >= r)
        return std::int64_t{a} - r > std::int64_t{b} - r;
    if (a < r)
        return b >= r || b > a;
    return false;
}

// A second entry of a car keeps its gap text but no longer stands for anybody.
void clearStanding(TrackResult& entry)
{
    TrackResultRecord& data = entry.mutableData();
    data.Position = 0;
    data.RegNo.clear();
    data.Laps = 0;
    data.TotalTime = 0;
}

} // namespace

void TrackResultList::sortTrackOrder()
{
    // The procedure is quadratic, so it runs on small items and the entries move only once.
    std::vector<SortItem> items = sortItems();
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
        if (items[i].key < 0)
            continue;
        for (std::size_t j = i + 1; j < items.size(); ++j)
            exchangeStep(items[i], items[j]);
    }
    applyOrder(items);
}

std::vector<TrackResultList::SortItem> TrackResultList::sortItems() const
{
    std::vector<SortItem> items;
    items.reserve(static_cast<std::size_t>(count()));
    for (int i = 0; i < count(); ++i) {
        const TrackResultRecord& data = slotAt(i).data();
        // Equal registration numbers share their first index, which makes comparing them cheap.
        items.push_back({i, data.RegNo.empty() ? -1 : findByRegNo(data.RegNo), data.TotalTime, false});
    }
    return items;
}

void TrackResultList::exchangeStep(SortItem& first, SortItem& second) const
{
    if (second.key < 0)
        return;
    if (second.key == first.key) {
        second.emptied = true;
        second.key = -1;
        second.time = 0;
    }
    // The emptied entry still takes part in this comparison.
    if (standsBefore(second.time, first.time, m_refTime))
        std::swap(first, second);
}

void TrackResultList::applyOrder(const std::vector<SortItem>& items)
{
    std::vector<TrackResult>& slots = allSlots();
    std::vector<TrackResult> sorted;
    sorted.reserve(slots.size());
    for (const SortItem& item : items) {
        sorted.push_back(std::move(slots[static_cast<std::size_t>(item.slot)]));
        if (item.emptied)
            clearStanding(sorted.back());
    }
    slots = std::move(sorted);
    rebuildIndex();
}

void TrackResultList::computeGaps()
{
    if (count() == 0)
        return;
    m_gaps.writeEntry(slotAt(0), GapSource::blank());
    for (int k = 1; k < count(); ++k) {
        TrackResult& entry = slotAt(k);
        const TrackResultRecord& data = entry.data();
        const std::int64_t behind = std::int64_t{data.TotalTime} - slotAt(k - 1).data().TotalTime;
        m_gaps.writeEntry(entry, data.Laps != 0 ? GapSource::time(std::abs(behind)) : GapSource::noTime());
    }
}

} // namespace kav
