// $G, $J and $H updates per second through the race data model, applied the way the main window
// applies them: the searches, the standings and track lists, the gaps, the markers and, at each new
// lap of the leader, the lap snapshot with its track order.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <queue>
#include <random>
#include <string>
#include <vector>

#include "comp_list.h"
#include "marker_list.h"
#include "passing_list.h"
#include "prac_res_list.h"
#include "race_res_list.h"
#include "track_res_list.h"

namespace {

using namespace kav;

constexpr int kRowLimit = 1000;
constexpr std::uint8_t kChequered = 3;
constexpr std::uint8_t kGreenBall = 4;
constexpr std::uint8_t kRedCross = 6;
constexpr std::uint8_t kGreenArrow = 255;

struct FeedRecord {
    char tag = 'G';
    TGRec g;
    TJRec j;
    THRec h;
};

// A lap race as the timing computer reports it: at each crossing the car's $J, then a $G for every
// position that changed, then $H records when its best lap improved. Faster cars start in front,
// lap times vary from lap to lap, so cars overtake and the field spreads into lap groups.
class RaceSimulator {
public:
    RaceSimulator(int cars, unsigned seed) : m_cars(static_cast<std::size_t>(cars)), m_rng(seed)
    {
        for (int c = 0; c < cars; ++c) {
            m_cars[c].regNo = std::to_string(1000 + c);
            m_cars[c].pace = 900000 + c * 200;
            m_order.push_back(c);
            m_crossings.push({c * 600000 / cars + Lap(c), c});
        }
    }

    std::vector<FeedRecord> Run(int laps)
    {
        while (m_cars[m_order[0]].laps < laps) {
            const auto [at, c] = m_crossings.top();
            m_crossings.pop();
            Cross(c, at);
            m_crossings.push({at + Lap(c), c});
        }
        return std::move(m_feed);
    }

private:
    struct Car {
        std::string regNo;
        TimeValue pace = 0;
        std::int32_t laps = 0;
        TimeValue total = 0;
        std::int32_t bestLap = 0;
        TimeValue best = kEmptyLapTime;
    };
    using Crossing = std::pair<TimeValue, int>;

    TimeValue Lap(int c) { return m_cars[c].pace + std::uniform_int_distribution<TimeValue>(-3000, 3000)(m_rng); }

    void Cross(int c, TimeValue at)
    {
        Car& car = m_cars[c];
        const TimeValue lapTime = at - car.total;
        car.laps += 1;
        car.total = at;
        m_feed.push_back({'J', {}, {car.regNo, lapTime, at}, {}});
        ReportRaceMove(c);
        if (lapTime < car.best) {
            car.best = lapTime;
            car.bestLap = car.laps;
            if (std::find(m_pracOrder.begin(), m_pracOrder.end(), c) == m_pracOrder.end())
                m_pracOrder.push_back(c);
            ReportPracticeMove(c);
        }
    }

    // Reports every race position from the car's new place to its old one.
    void ReportRaceMove(int c)
    {
        const auto [to, from] = MoveUp(m_order, c, [this](int a, int b) {
            return m_cars[a].laps > m_cars[b].laps ||
                   (m_cars[a].laps == m_cars[b].laps && m_cars[a].total < m_cars[b].total);
        });
        for (std::size_t p = to; p <= from; ++p) {
            const Car& car = m_cars[m_order[p]];
            m_feed.push_back({'G', {static_cast<std::uint16_t>(p + 1), car.regNo, car.laps, car.total}, {}, {}});
        }
    }

    void ReportPracticeMove(int c)
    {
        const auto [to, from] =
            MoveUp(m_pracOrder, c, [this](int a, int b) { return m_cars[a].best < m_cars[b].best; });
        for (std::size_t p = to; p <= from; ++p) {
            const Car& car = m_cars[m_pracOrder[p]];
            m_feed.push_back({'H', {}, {}, {static_cast<std::uint16_t>(p + 1), car.regNo, car.bestLap, car.best}});
        }
    }

    // Moves car c up while it stands before the car ahead; its new and its old place.
    template <typename Before>
    static std::pair<std::size_t, std::size_t> MoveUp(std::vector<int>& order, int c, Before before)
    {
        auto at = static_cast<std::size_t>(std::find(order.begin(), order.end(), c) - order.begin());
        const std::size_t from = at;
        for (; at > 0 && before(c, order[at - 1]); --at)
            order[at] = order[at - 1];
        order[at] = c;
        return {at, from};
    }

    std::vector<Car> m_cars;
    std::vector<int> m_order;
    std::vector<int> m_pracOrder;
    std::priority_queue<Crossing, std::vector<Crossing>, std::greater<>> m_crossings;
    std::vector<FeedRecord> m_feed;
    std::mt19937 m_rng;
};

template <typename List>
void CopyList(const List& from, List& to)
{
    to.Clear();
    typename List::Record rec;
    for (int i = 0; from.GetByIndex(i, rec); ++i)
        to.Append(rec);
}

std::uint8_t Aged(std::uint8_t status, bool noLapCompleted)
{
    if (!noLapCompleted)
        return 0;
    return status < 2 ? static_cast<std::uint8_t>(status + 1) : status;
}

// The main window's handling of $G, $J and $H as far as it concerns the model.
class ModelFeeder {
public:
    explicit ModelFeeder(int cars) : m_cars(cars)
    {
        m_competitors.SetUniqueRegNo(true);
        for (auto* list : {&m_currentRace, &m_lapRace})
            list->SetLimit(kRowLimit);
        for (auto* list : {&m_currentTrack, &m_lapTrack})
            list->SetLimit(kRowLimit);
        m_prac.SetLimit(kRowLimit);
        m_currentPassings.SetLimit(kRowLimit);
        m_lapPassings.SetLimit(kRowLimit);
        m_markers.SetLimit(kRowLimit);
        NewRun();
    }

    // $I and the competitor records that follow it.
    void NewRun()
    {
        m_competitors.Clear();
        m_currentRace.Clear();
        m_lapRace.Clear();
        m_prac.Clear();
        m_currentTrack.Clear();
        m_lapTrack.Clear();
        m_currentPassings.Clear();
        m_lapPassings.Clear();
        m_markers.Clear();
        for (int c = 0; c < m_cars; ++c) {
            TCompRec comp;
            comp.RegNo = std::to_string(1000 + c);
            comp.Number = std::to_string(c + 1);
            comp.LastName = "Driver";
            m_competitors.AddOrUpdate(comp);
            m_markers.EnsureMarker(comp.RegNo);
        }
    }

    void Apply(const FeedRecord& r)
    {
        switch (r.tag) {
        case 'G': ApplyG(r.g); break;
        case 'J': ApplyJ(r.j); break;
        default: ApplyH(r.h); break;
        }
    }

private:
    void ApplyG(const TGRec& g)
    {
        if (g.Position == 0 || g.Position > kRowLimit)
            return;
        const int marker = m_markers.FindByRegNo(g.RegNo);
        if (g.Position == 1)
            TakeSnapshotOnNewLap(g);
        const int ci = m_currentRace.FindByRegNo(g.RegNo);
        const int li = m_lapRace.FindByRegNo(g.RegNo);
        const std::uint8_t status = ci < 0 ? kGreenBall : g.Position < li + 1 ? kGreenArrow : kGreenBall;
        RaceResRec held;
        if (marker >= 0 && m_currentRace.GetByIndex(ci, held) &&
            (held.Laps != g.Laps || held.TotalTime != g.TotalTime)) {
            m_markers.SetLapStatus(marker, status);
            m_markers.SetRaceStatus(marker, status);
            const int ti = m_lapTrack.FindByRegNo(g.RegNo);
            if (ti >= 0)
                MarkTrackOvertaken(ti, status, marker);
        }
        m_currentRace.SetFromG(g);
        m_currentRace.ComputeGaps();
        if (ci >= 0 && ci + 1 != g.Position)
            m_currentRace.ResetItem(ci);
        m_currentTrack.SetFromG(g);
        // The row shows the competitor's number and name.
        benchmark::DoNotOptimize(m_competitors.FindByRegNo(g.RegNo));
    }

    void ApplyJ(const TJRec& j)
    {
        m_currentPassings.SetFromJ(j);
        PracResRec prac;
        const TimeValue best = m_prac.GetByIndex(m_prac.FindByRegNo(j.RegNo), prac) ? prac.BestLapTime : 0;
        m_markers.SetPassTime(j.RegNo, j.Time3);
        const int marker = m_markers.FindByRegNo(j.RegNo);
        m_markers.SetRaceStatus(marker, kGreenBall);
        m_markers.SetPracStatus(marker, best <= j.LapTime ? kGreenBall : kGreenArrow);
    }

    void ApplyH(const THRec& h)
    {
        if (h.Position == 0 || h.Position > kRowLimit)
            return;
        m_prac.SetFromH(h);
        m_prac.ComputeGaps();
        RaceResRec race;
        benchmark::DoNotOptimize(m_currentRace.GetByIndex(m_currentRace.FindByRegNo(h.RegNo), race));
        if (h.Position == 1)
            benchmark::DoNotOptimize(m_competitors.FindByRegNo(h.RegNo));
    }

    void TakeSnapshotOnNewLap(const TGRec& g)
    {
        RaceResRec leader;
        if (!m_currentRace.GetByIndex(0, leader) || leader.Position == 0)
            return;
        if (leader.Laps == g.Laps && leader.TotalTime == g.TotalTime)
            return;
        AgeLapStatus();
        CopyList(m_currentRace, m_lapRace);
        CopyList(m_currentTrack, m_lapTrack);
        m_lapTrack.SetRefTime(leader.TotalTime);
        m_lapTrack.SortTrackOrder();
        m_lapTrack.ComputeGaps();
        CopyList(m_currentPassings, m_lapPassings);
    }

    void AgeLapStatus()
    {
        AgeLapPictures();
        AgeRacePictures();
        AgeTrackPictures();
    }

    void AgeLapPictures()
    {
        RaceResRec lap;
        RaceResRec current;
        TMarker marker;
        for (int i = 0; m_lapRace.GetByIndex(i, lap); ++i) {
            const int m = m_markers.FindByRegNo(lap.RegNo);
            if (m_markers.GetByIndex(m, marker) &&
                m_currentRace.GetByIndex(m_currentRace.FindByRegNo(lap.RegNo), current))
                m_markers.SetLapStatus(m, Aged(marker.LapStatus, lap.Laps == current.Laps));
        }
    }

    void AgeRacePictures()
    {
        RaceResRec lap;
        RaceResRec current;
        TMarker marker;
        for (int i = 0; m_currentRace.GetByIndex(i, current); ++i) {
            const int m = m_markers.FindByRegNo(current.RegNo);
            if (!m_markers.GetByIndex(m, marker))
                continue;
            const bool known = m_lapRace.GetByIndex(m_lapRace.FindByRegNo(current.RegNo), lap);
            m_markers.SetRaceStatus(m, known ? Aged(marker.RaceStatus, lap.Laps == current.Laps) : 0);
        }
    }

    void AgeTrackPictures()
    {
        TrackResRec lap;
        TrackResRec current;
        TMarker marker;
        for (int i = 0; m_currentTrack.GetByIndex(i, current); ++i) {
            const int m = m_markers.FindByRegNo(current.RegNo);
            if (!m_markers.GetByIndex(m, marker) || !m_lapTrack.GetByIndex(m_lapTrack.FindByRegNo(current.RegNo), lap))
                continue;
            const std::uint8_t status = marker.TrackStatus == kRedCross ? 0 : marker.TrackStatus;
            m_markers.SetTrackStatus(m, Aged(status, lap.Laps == current.Laps));
        }
    }

    void MarkTrackOvertaken(int ti, std::uint8_t status, int marker)
    {
        TMarker own;
        if (!m_markers.GetByIndex(marker, own) || own.TrackStatus != 0)
            return;
        TrackResRec entry;
        TMarker other;
        for (int j = ti; j >= 0 && m_lapTrack.GetByIndex(j, entry); --j) {
            const int m = m_markers.FindByRegNo(entry.RegNo);
            if (!m_markers.GetByIndex(m, other))
                continue;
            if (other.TrackStatus != 0)
                break;
            m_markers.SetTrackStatus(m, kRedCross);
        }
        m_markers.SetTrackStatus(marker, status == kChequered ? kChequered : kGreenBall);
    }

    int m_cars;
    TCompList m_competitors;
    TRaceResList m_currentRace;
    TRaceResList m_lapRace;
    TPracResList m_prac;
    TTrackResList m_currentTrack;
    TTrackResList m_lapTrack;
    TPassingList m_currentPassings;
    TPassingList m_lapPassings;
    TMarkerList m_markers;
};

void BM_RaceFeed(benchmark::State& state)
{
    const auto cars = static_cast<int>(state.range(0));
    const std::vector<FeedRecord> feed = RaceSimulator(cars, 7).Run(30);
    ModelFeeder feeder(cars);
    std::size_t next = 0;
    std::int64_t gUpdates = 0;
    for (auto _ : state) {
        const FeedRecord& record = feed[next];
        feeder.Apply(record);
        gUpdates += record.tag == 'G';
        if (++next == feed.size()) {
            next = 0;
            feeder.NewRun();
        }
    }
    state.counters["G_updates_per_second"] =
        benchmark::Counter(static_cast<double>(gUpdates), benchmark::Counter::kIsRate);
    state.counters["records_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["G_share"] = static_cast<double>(gUpdates) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_RaceFeed)->Arg(100)->Arg(1000);

} // namespace

BENCHMARK_MAIN();
