// Random operation sequences against plain linear lists written straight from the list rules:
// every count, entry and search answer must match after every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "comp_list.h"
#include "marker_list.h"
#include "passing_list.h"
#include "prac_res_list.h"
#include "race_res_list.h"
#include "track_res_list.h"

namespace kav {
namespace {

// Keys that collide, differ by a trailing space or case, are empty, or are cut to the same 8 characters.
const std::vector<std::string> kKeys = {"", "1", "1 ", "A", "a", "12345678", "123456789", "1234567890"};
constexpr int kLimit = 12;
constexpr int kSteps = 3000;

std::string Cut(const std::string& key)
{
    return key.substr(0, 8);
}

std::string GapText(std::int64_t value)
{
    TZebTime t;
    t.SetCutMode(7);
    t.SetValue(static_cast<TimeValue>(value));
    return t.GetText();
}

template <typename Rec>
void SetGap(Rec& r, const std::string& gap)
{
    r.Changed = gap != r.Gap;
    r.Gap = gap;
}

template <typename Rec>
struct RefList {
    std::vector<Rec> entries;
    int limit = kLimit;

    int Count() const { return static_cast<int>(entries.size()); }
    void Put(Rec r)
    {
        r.RegNo = Cut(r.RegNo);
        if (r.Position == 0 || r.Position - 1 > limit)
            return;
        entries.resize(std::max<std::size_t>(entries.size(), r.Position));
        entries[r.Position - 1u] = r;
    }
    void Append(Rec r)
    {
        r.RegNo = Cut(r.RegNo);
        if (Count() < limit - 1)
            entries.push_back(r);
    }
    int Find(const std::string& key) const
    {
        for (int i = 0; i < Count(); ++i) {
            if (entries[i].RegNo == Cut(key))
                return i;
        }
        return -1;
    }
};

void RaceGaps(std::vector<RaceResRec>& e)
{
    TimeValue ref = e.empty() ? 0 : e[0].TotalTime;
    for (std::size_t k = 0; k < e.size(); ++k) {
        if (k == 0 || e[k].Laps < e[k - 1].Laps) {
            ref = e[k].TotalTime;
            SetGap(e[k], std::string(">> ").append(std::to_string(e[k].Laps)).append(" <<"));
        } else if (ref > 0) {
            SetGap(e[k], GapText(e[k].TotalTime - ref));
        } else {
            e[k].Changed = false;
        }
    }
}

void PracGaps(std::vector<PracResRec>& e)
{
    for (std::size_t k = 0; k < e.size(); ++k)
        SetGap(e[k], k == 0 ? "" : e[k].BestLap ? GapText(e[k].BestLapTime - e[0].BestLapTime) : "-----");
}

void TrackGaps(std::vector<RaceResRec>& e)
{
    for (std::size_t k = 0; k < e.size(); ++k)
        SetGap(e[k], k == 0 ? "" : e[k].Laps ? GapText(std::abs(e[k].TotalTime - e[k - 1].TotalTime)) : "-----");
}

void TrackSort(std::vector<RaceResRec>& e, TimeValue r)
{
    for (std::size_t i = 0; i + 1 < e.size(); ++i) {
        if (e[i].RegNo.empty())
            continue;
        for (std::size_t j = i + 1; j < e.size(); ++j) {
            if (e[j].RegNo.empty())
                continue;
            if (e[j].RegNo == e[i].RegNo)
                e[j] = {0, "", 0, 0, e[j].Gap, e[j].Changed};
            const TimeValue a = e[i].TotalTime;
            const TimeValue b = e[j].TotalTime;
            if ((a >= r && b >= r && a - r > b - r) || (a < r && b >= r) || (a < r && b < r && b > a))
                std::swap(e[i], e[j]);
        }
    }
}

class Random {
public:
    explicit Random(unsigned seed) : m_rng(seed) {}
    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    const std::string& Key() { return kKeys[static_cast<std::size_t>(Between(0, int(kKeys.size()) - 1))]; }
    // Few distinct values, so that ties, zero and negative times and lap groups are frequent.
    TimeValue Time()
    {
        static const TimeValue times[] = {0, -15000, 100000, 100000, 101500, 99000, 1052500, 7234567};
        return times[Between(0, 7)];
    }
    std::uint16_t Position() { return static_cast<std::uint16_t>(Between(0, kLimit + 2)); }
    RaceResRec Standing()
    {
        return {Position(), Key(), Between(0, 3), Time(), Between(0, 3) ? "" : "old", Between(0, 1) == 1};
    }

private:
    std::mt19937 m_rng;
};

template <typename List, typename Rec>
testing::AssertionResult Same(const List& list, const RefList<Rec>& ref)
{
    if (list.Count() != ref.Count())
        return testing::AssertionFailure() << "count " << list.Count() << " instead of " << ref.Count();
    for (int i = -1; i <= ref.Count(); ++i) {
        Rec got{};
        got.RegNo = "mine";
        const bool inside = i >= 0 && i < ref.Count();
        if (list.GetByIndex(i, got) != inside || (inside ? !(got == ref.entries[i]) : got.RegNo != "mine"))
            return testing::AssertionFailure() << "entry " << i << " ('" << got.RegNo << "') differs";
    }
    for (const auto& key : kKeys) {
        if (list.FindByRegNo(key) != ref.Find(key))
            return testing::AssertionFailure()
                   << "FindByRegNo('" << key << "') " << list.FindByRegNo(key) << " instead of " << ref.Find(key);
    }
    return testing::AssertionSuccess();
}

class Differential : public testing::TestWithParam<unsigned> {};

TEST_P(Differential, StandingsLists)
{
    Random rnd(GetParam());
    TRaceResList race;
    TTrackResList track;
    TPracResList prac;
    race.SetLimit(kLimit);
    track.SetLimit(kLimit);
    prac.SetLimit(kLimit);
    RefList<RaceResRec> refRace;
    RefList<RaceResRec> refTrack;
    RefList<PracResRec> refPrac;
    TimeValue refTime = 0;
    for (int step = 0; step < kSteps; ++step) {
        const int op = rnd.Between(0, 99);
        const RaceResRec r = rnd.Standing();
        const int index = rnd.Between(-1, refRace.Count());
        if (op < 30) {
            race.SetFromG({r.Position, r.RegNo, r.Laps, r.TotalTime});
            refRace.Put({r.Position, r.RegNo, r.Laps, r.TotalTime, "", false});
            track.SetFromG({r.Position, r.RegNo, r.Laps, r.TotalTime});
            refTrack.Put({r.Position, r.RegNo, r.Laps, r.TotalTime, "", false});
            prac.SetFromH({r.Position, r.RegNo, r.Laps % 2, r.TotalTime});
            refPrac.Put({r.Position, r.RegNo, r.Laps % 2, r.TotalTime, "", false});
        } else if (op < 40) {
            race.Append(r);
            refRace.Append(r);
            track.Append(r);
            refTrack.Append(r);
        } else if (op < 48) {
            race.ResetItem(index);
            if (index >= 0 && index < refRace.Count())
                refRace.entries[index] = {0, "", 0, 0, "", refRace.entries[index].Changed};
        } else if (op < 54) {
            refTime = rnd.Time();
            track.SetRefTime(refTime);
        } else if (op < 64) {
            track.SortTrackOrder();
            TrackSort(refTrack.entries, refTime);
        } else if (op < 98) {
            race.ComputeGaps();
            RaceGaps(refRace.entries);
            track.ComputeGaps();
            TrackGaps(refTrack.entries);
            prac.ComputeGaps();
            PracGaps(refPrac.entries);
        } else {
            race.Clear();
            refRace.entries.clear();
            track.Clear();
            refTrack.entries.clear();
            prac.Clear();
            refPrac.entries.clear();
        }
        ASSERT_TRUE(Same(race, refRace)) << "race list after step " << step << ", operation " << op;
        ASSERT_TRUE(Same(track, refTrack)) << "track list after step " << step << ", operation " << op;
        ASSERT_TRUE(Same(prac, refPrac)) << "practice list after step " << step << ", operation " << op;
    }
}

TEST_P(Differential, PassingAndMarkerLists)
{
    Random rnd(GetParam());
    TPassingList passings;
    TMarkerList markers;
    passings.SetLimit(kLimit / 2);
    markers.SetLimit(kLimit / 2);
    RefList<TJRec> refPassings;
    RefList<TMarker> refMarkers;
    refPassings.limit = refMarkers.limit = kLimit / 2;
    for (int step = 0; step < kSteps; ++step) {
        const int op = rnd.Between(0, 99);
        const std::string& key = rnd.Key();
        const int index = rnd.Between(-1, refMarkers.Count());
        if (op < 40) {
            passings.SetFromJ({key, step, 0});
            const int found = refPassings.Find(key);
            if (found >= 0)
                refPassings.entries[found] = {Cut(key), step, 0};
            else
                refPassings.Append({key, step, 0});
            markers.SetPassTime(key, step);
            if (refMarkers.Find(key) >= 0)
                refMarkers.entries[refMarkers.Find(key)].PassTime = step;
            else
                refMarkers.Append({key, step, 0, 0, 0, 0});
        } else if (op < 60) {
            markers.EnsureMarker(key);
            if (refMarkers.Find(key) < 0)
                refMarkers.Append({key, 0, 0, 0, 0, 0});
        } else if (op < 70) {
            passings.Append({key, -step, 1});
            refPassings.Append({key, -step, 1});
            markers.Append({key, -step, 1, 2, 3, 4});
            refMarkers.Append({key, -step, 1, 2, 3, 4});
        } else if (op < 98) {
            markers.SetRaceStatus(index, 4);
            markers.SetPassTimeAt(index, -1);
            if (index >= 0 && index < refMarkers.Count()) {
                refMarkers.entries[index].RaceStatus = 4;
                refMarkers.entries[index].PassTime = -1;
            }
        } else {
            passings.Clear();
            refPassings.entries.clear();
            markers.Clear();
            refMarkers.entries.clear();
        }
        ASSERT_TRUE(Same(passings, refPassings)) << "passings after step " << step << ", operation " << op;
        ASSERT_TRUE(Same(markers, refMarkers)) << "markers after step " << step << ", operation " << op;
    }
}

TEST_P(Differential, CompetitorList)
{
    Random rnd(GetParam());
    TCompList list;
    std::vector<TCompRec> ref;
    auto find = [&ref](const std::string& key) {
        return std::find_if(ref.begin(), ref.end(), [&](const TCompRec& c) { return c.RegNo == Cut(key); });
    };
    for (int step = 0; step < kSteps; ++step) {
        const int op = rnd.Between(0, 99);
        TCompRec rec;
        rec.RegNo = rnd.Key();
        rec.LastName = std::to_string(step);
        if (op < 85) {
            list.AddOrUpdate(rec);
            rec.RegNo = Cut(rec.RegNo);
            if (list.UniqueRegNo() && find(rec.RegNo) != ref.end())
                *find(rec.RegNo) = rec;
            else
                ref.push_back(rec);
        } else if (op < 97) {
            list.SetUniqueRegNo(!list.UniqueRegNo());
        } else {
            list.Clear();
            ref.clear();
        }
        ASSERT_EQ(list.Count(), static_cast<int>(ref.size())) << "after step " << step;
        for (int i = 0; i < list.Count(); ++i)
            ASSERT_EQ(list.GetByIndex(i), ref[i]) << "entry " << i << " after step " << step;
        for (const auto& key : kKeys) {
            const TCompRec want = key.empty() || find(key) == ref.end() ? TCompRec{} : *find(key);
            ASSERT_EQ(list.FindByRegNo(key), want) << "key '" << key << "' after step " << step;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, Differential, testing::Values(1u, 2u, 3u, 20240607u));

} // namespace
} // namespace kav
