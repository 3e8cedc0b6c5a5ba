#include "sim_standings.h"

#include <algorithm>
#include <numeric>

namespace kav {

SimStandings::SimStandings(int cars) : m_progress(static_cast<std::size_t>(cars)), m_raceOrder(m_progress.size())
{
    std::iota(m_raceOrder.begin(), m_raceOrder.end(), 0);
}

std::vector<SimPlace> SimStandings::cross(int car, TimeValue at, TimeValue lapTime)
{
    auto& p = m_progress[static_cast<std::size_t>(car)];
    ++p.laps;
    p.total = at;
    m_lastCar = car;
    m_bestImproved = lapTime < p.bestLapTime;
    if (m_bestImproved) {
        p.bestLap = p.laps;
        p.bestLapTime = lapTime;
    }
    const auto before = m_raceOrder;
    // More laps first; on equal laps, who crossed earlier; the stable sort keeps the grid order at the start.
    std::stable_sort(m_raceOrder.begin(), m_raceOrder.end(), [this](int a, int b) {
        const auto& pa = progress(a);
        const auto& pb = progress(b);
        return pa.laps != pb.laps ? pa.laps > pb.laps : pa.total < pb.total;
    });
    return changes(before, m_raceOrder, car);
}

int SimStandings::placeOf(int car) const
{
    return static_cast<int>(std::find(m_raceOrder.begin(), m_raceOrder.end(), car) - m_raceOrder.begin()) + 1;
}

std::vector<SimPlace> SimStandings::bestLapChanges()
{
    if (!m_bestImproved)
        return {};
    const auto before = m_bestOrder;
    if (std::find(m_bestOrder.begin(), m_bestOrder.end(), m_lastCar) == m_bestOrder.end())
        m_bestOrder.push_back(m_lastCar);
    std::stable_sort(m_bestOrder.begin(), m_bestOrder.end(),
                     [this](int a, int b) { return progress(a).bestLapTime < progress(b).bestLapTime; });
    return changes(before, m_bestOrder, m_lastCar);
}

std::vector<SimPlace> SimStandings::changes(const std::vector<int>& before, const std::vector<int>& after, int car)
{
    std::vector<SimPlace> changes;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i >= before.size() || before[i] != after[i] || after[i] == car)
            changes.push_back({static_cast<int>(i) + 1, after[i]});
    }
    return changes;
}

} // namespace kav
