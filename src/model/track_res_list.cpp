#include "track_res_list.h"

#include <cstdlib>
#include <utility>

namespace kav {
namespace {

// True when a car with time b stands before one with time a on the track, r being the reference.
bool StandsBefore(TimeValue b, TimeValue a, TimeValue r)
{
    if (a >= r && b >= r)
        return std::int64_t{a} - r > std::int64_t{b} - r;
    if (a < r)
        return b >= r || b > a;
    return false;
}

// A second entry of a car keeps its gap text but no longer stands for anybody.
void ClearStanding(TTrackRes& entry)
{
    TrackResRec& data = entry.MutableData();
    data.Position = 0;
    data.RegNo.clear();
    data.Laps = 0;
    data.TotalTime = 0;
}

} // namespace

void TTrackResList::SortTrackOrder()
{
    // The procedure is quadratic, so it runs on small items and the entries move only once.
    std::vector<TSortItem> items = SortItems();
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
        if (items[i].key < 0)
            continue;
        for (std::size_t j = i + 1; j < items.size(); ++j)
            ExchangeStep(items[i], items[j]);
    }
    ApplyOrder(items);
}

std::vector<TTrackResList::TSortItem> TTrackResList::SortItems() const
{
    std::vector<TSortItem> items;
    items.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0; i < Count(); ++i) {
        const TrackResRec& data = SlotAt(i).Data();
        // Equal registration numbers share their first index, which makes comparing them cheap.
        items.push_back({i, data.RegNo.empty() ? -1 : FindByRegNo(data.RegNo), data.TotalTime, false});
    }
    return items;
}

void TTrackResList::ExchangeStep(TSortItem& first, TSortItem& second) const
{
    if (second.key < 0)
        return;
    if (second.key == first.key) {
        second.emptied = true;
        second.key = -1;
        second.time = 0;
    }
    // The emptied entry still takes part in this comparison.
    if (StandsBefore(second.time, first.time, m_refTime))
        std::swap(first, second);
}

void TTrackResList::ApplyOrder(const std::vector<TSortItem>& items)
{
    std::vector<TTrackRes>& slots = Slots();
    std::vector<TTrackRes> sorted;
    sorted.reserve(slots.size());
    for (const TSortItem& item : items) {
        sorted.push_back(std::move(slots[static_cast<std::size_t>(item.slot)]));
        if (item.emptied)
            ClearStanding(sorted.back());
    }
    slots = std::move(sorted);
    RebuildIndex();
}

void TTrackResList::ComputeGaps()
{
    if (Count() == 0)
        return;
    m_gaps.WriteEntry(SlotAt(0), TGapSource::Blank());
    for (int k = 1; k < Count(); ++k) {
        TTrackRes& entry = SlotAt(k);
        const TrackResRec& data = entry.Data();
        const std::int64_t behind = std::int64_t{data.TotalTime} - SlotAt(k - 1).Data().TotalTime;
        m_gaps.WriteEntry(entry, data.Laps != 0 ? TGapSource::Time(std::abs(behind)) : TGapSource::NoTime());
    }
}

} // namespace kav
