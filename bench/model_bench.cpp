// $G, $J and $H updates per second through the race data model, applied the way the main window
// applies them: the searches, the standings and track lists, the gaps, the markers and, at each new
// lap of the leader, the lap snapshot with its track order.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <queue>
#include <random>
#include <string>
#include <vector>

#include "competitor_list.h"
#include "marker_list.h"
#include "passing_list.h"
#include "practice_result_list.h"
#include "race_result_list.h"
#include "track_result_list.h"

namespace {

using namespace kav;

constexpr int kRowLimit = 1000;
constexpr std::uint8_t kChequered = 3;
constexpr std::uint8_t kGreenBall = 4;
constexpr std::uint8_t kRedCross = 6;
constexpr std::uint8_t kGreenArrow = 255;

struct FeedRecord {
    char tag = 'G';
    RacePositionRecord g;
    PassingRecord j;
    PracticePositionRecord h;
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
            m_crossings.push({c * 600000 / cars + lap(c), c});
        }
    }

    std::vector<FeedRecord> run(int laps)
    {
        while (m_cars[m_order[0]].laps < laps) {
            const auto [at, c] = m_crossings.top();
            m_crossings.pop();
            cross(c, at);
            m_crossings.push({at + lap(c), c});
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

    TimeValue lap(int c) { return m_cars[c].pace + std::uniform_int_distribution<TimeValue>(-3000, 3000)(m_rng); }

    void cross(int c, TimeValue at)
    {
        Car& car = m_cars[c];
        const TimeValue lapTime = at - car.total;
        car.laps += 1;
        car.total = at;
        m_feed.push_back({'J', {}, {car.regNo, lapTime, at}, {}});
        reportRaceMove(c);
        if (lapTime < car.best) {
            car.best = lapTime;
            car.bestLap = car.laps;
            if (std::find(m_pracOrder.begin(), m_pracOrder.end(), c) == m_pracOrder.end())
                m_pracOrder.push_back(c);
            reportPracticeMove(c);
        }
    }

    // Reports every race position from the car's new place to its old one.
    void reportRaceMove(int c)
    {
        const auto [to, from] = moveUp(m_order, c, [this](int a, int b) {
            return m_cars[a].laps > m_cars[b].laps ||
                   (m_cars[a].laps == m_cars[b].laps && m_cars[a].total < m_cars[b].total);
        });
        for (std::size_t p = to; p <= from; ++p) {
            const Car& car = m_cars[m_order[p]];
            m_feed.push_back({'G', {static_cast<std::uint16_t>(p + 1), car.regNo, car.laps, car.total}, {}, {}});
        }
    }

    void reportPracticeMove(int c)
    {
        const auto [to, from] =
            moveUp(m_pracOrder, c, [this](int a, int b) { return m_cars[a].best < m_cars[b].best; });
        for (std::size_t p = to; p <= from; ++p) {
            const Car& car = m_cars[m_pracOrder[p]];
            m_feed.push_back({'H', {}, {}, {static_cast<std::uint16_t>(p + 1), car.regNo, car.bestLap, car.best}});
        }
    }

    // Moves car c up while it stands before the car ahead; its new and its old place.
    template <typename Before>
    static std::pair<std::size_t, std::size_t> moveUp(std::vector<int>& order, int c, Before before)
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
void copyList(const List& from, List& to)
{
    to.clear();
    typename List::Record rec;
    for (int i = 0; from.byIndex(i, rec); ++i)
        to.append(rec);
}

std::uint8_t aged(std::uint8_t status, bool noLapCompleted)
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
        m_competitors.setUniqueRegNo(true);
        for (auto* list : {&m_currentRace, &m_lapRace})
            list->setLimit(kRowLimit);
        for (auto* list : {&m_currentTrack, &m_lapTrack})
            list->setLimit(kRowLimit);
        m_prac.setLimit(kRowLimit);
        m_currentPassings.setLimit(kRowLimit);
        m_lapPassings.setLimit(kRowLimit);
        m_markers.setLimit(kRowLimit);
        newRun();
    }

    // $I and the competitor records that follow it.
    void newRun()
    {
        m_competitors.clear();
        m_currentRace.clear();
        m_lapRace.clear();
        m_prac.clear();
        m_currentTrack.clear();
        m_lapTrack.clear();
        m_currentPassings.clear();
        m_lapPassings.clear();
        m_markers.clear();
        for (int c = 0; c < m_cars; ++c) {
            FullCompetitorRecord comp;
            comp.RegNo = std::to_string(1000 + c);
            comp.Number = std::to_string(c + 1);
            comp.LastName = "Driver";
            m_competitors.addOrUpdate(comp);
            m_markers.ensureMarker(comp.RegNo);
        }
    }

    void apply(const FeedRecord& r)
    {
        switch (r.tag) {
        case 'G': applyG(r.g); break;
        case 'J': applyJ(r.j); break;
        default: applyH(r.h); break;
        }
    }

private:
    void applyG(const RacePositionRecord& g)
    {
        if (g.Position == 0 || g.Position > kRowLimit)
            return;
        const int marker = m_markers.findByRegNo(g.RegNo);
        if (g.Position == 1)
            takeSnapshotOnNewLap(g);
        const int ci = m_currentRace.findByRegNo(g.RegNo);
        const int li = m_lapRace.findByRegNo(g.RegNo);
        const std::uint8_t status = ci < 0 ? kGreenBall : g.Position < li + 1 ? kGreenArrow : kGreenBall;
        RaceResultRecord held;
        if (marker >= 0 && m_currentRace.byIndex(ci, held) && (held.Laps != g.Laps || held.TotalTime != g.TotalTime)) {
            m_markers.setLapStatus(marker, status);
            m_markers.setRaceStatus(marker, status);
            const int ti = m_lapTrack.findByRegNo(g.RegNo);
            if (ti >= 0)
                markTrackOvertaken(ti, status, marker);
        }
        m_currentRace.setFromG(g);
        m_currentRace.computeGaps();
        if (ci >= 0 && ci + 1 != g.Position)
            m_currentRace.resetItem(ci);
        m_currentTrack.setFromG(g);
        // The row shows the competitor's number and name.
        benchmark::DoNotOptimize(m_competitors.findByRegNo(g.RegNo));
    }

    void applyJ(const PassingRecord& j)
    {
        m_currentPassings.setFromJ(j);
        PracticeResultRecord prac;
        const TimeValue best = m_prac.byIndex(m_prac.findByRegNo(j.RegNo), prac) ? prac.BestLapTime : 0;
        m_markers.setPassTime(j.RegNo, j.Time3);
        const int marker = m_markers.findByRegNo(j.RegNo);
        m_markers.setRaceStatus(marker, kGreenBall);
        m_markers.setPracticeStatus(marker, best <= j.LapTime ? kGreenBall : kGreenArrow);
    }

    void applyH(const PracticePositionRecord& h)
    {
        if (h.Position == 0 || h.Position > kRowLimit)
            return;
        m_prac.setFromH(h);
        m_prac.computeGaps();
        RaceResultRecord race;
        benchmark::DoNotOptimize(m_currentRace.byIndex(m_currentRace.findByRegNo(h.RegNo), race));
        if (h.Position == 1)
            benchmark::DoNotOptimize(m_competitors.findByRegNo(h.RegNo));
    }

    void takeSnapshotOnNewLap(const RacePositionRecord& g)
    {
        RaceResultRecord leader;
        if (!m_currentRace.byIndex(0, leader) || leader.Position == 0)
            return;
        if (leader.Laps == g.Laps && leader.TotalTime == g.TotalTime)
            return;
        ageLapStatus();
        copyList(m_currentRace, m_lapRace);
        copyList(m_currentTrack, m_lapTrack);
        m_lapTrack.setRefTime(leader.TotalTime);
        m_lapTrack.sortTrackOrder();
        m_lapTrack.computeGaps();
        copyList(m_currentPassings, m_lapPassings);
    }

    void ageLapStatus()
    {
        ageLapPictures();
        ageRacePictures();
        ageTrackPictures();
    }

    void ageLapPictures()
    {
        RaceResultRecord lap;
        RaceResultRecord current;
        Marker marker;
        for (int i = 0; m_lapRace.byIndex(i, lap); ++i) {
            const int m = m_markers.findByRegNo(lap.RegNo);
            if (m_markers.byIndex(m, marker) && m_currentRace.byIndex(m_currentRace.findByRegNo(lap.RegNo), current))
                m_markers.setLapStatus(m, aged(marker.LapStatus, lap.Laps == current.Laps));
        }
    }

    void ageRacePictures()
    {
        RaceResultRecord lap;
        RaceResultRecord current;
        Marker marker;
        for (int i = 0; m_currentRace.byIndex(i, current); ++i) {
            const int m = m_markers.findByRegNo(current.RegNo);
            if (!m_markers.byIndex(m, marker))
                continue;
            const bool known = m_lapRace.byIndex(m_lapRace.findByRegNo(current.RegNo), lap);
            m_markers.setRaceStatus(m, known ? aged(marker.RaceStatus, lap.Laps == current.Laps) : 0);
        }
    }

    void ageTrackPictures()
    {
        TrackResultRecord lap;
        TrackResultRecord current;
        Marker marker;
        for (int i = 0; m_currentTrack.byIndex(i, current); ++i) {
            const int m = m_markers.findByRegNo(current.RegNo);
            if (!m_markers.byIndex(m, marker) || !m_lapTrack.byIndex(m_lapTrack.findByRegNo(current.RegNo), lap))
                continue;
            const std::uint8_t status = marker.TrackStatus == kRedCross ? 0 : marker.TrackStatus;
            m_markers.setTrackStatus(m, aged(status, lap.Laps == current.Laps));
        }
    }

    void markTrackOvertaken(int ti, std::uint8_t status, int marker)
    {
        Marker own;
        if (!m_markers.byIndex(marker, own) || own.TrackStatus != 0)
            return;
        TrackResultRecord entry;
        Marker other;
        for (int j = ti; j >= 0 && m_lapTrack.byIndex(j, entry); --j) {
            const int m = m_markers.findByRegNo(entry.RegNo);
            if (!m_markers.byIndex(m, other))
                continue;
            if (other.TrackStatus != 0)
                break;
            m_markers.setTrackStatus(m, kRedCross);
        }
        m_markers.setTrackStatus(marker, status == kChequered ? kChequered : kGreenBall);
    }

    int m_cars;
    CompetitorList m_competitors;
    RaceResultList m_currentRace;
    RaceResultList m_lapRace;
    PracticeResultList m_prac;
    TrackResultList m_currentTrack;
    TrackResultList m_lapTrack;
    PassingList m_currentPassings;
    PassingList m_lapPassings;
    MarkerList m_markers;
};

void BM_RaceFeed(benchmark::State& state)
{
    const auto cars = static_cast<int>(state.range(0));
    const std::vector<FeedRecord> feed = RaceSimulator(cars, 7).run(30);
    ModelFeeder feeder(cars);
    std::size_t next = 0;
    std::int64_t gUpdates = 0;
    for (auto _ : state) {
        const FeedRecord& record = feed[next];
        feeder.apply(record);
        gUpdates += record.tag == 'G';
        if (++next == feed.size()) {
            next = 0;
            feeder.newRun();
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
