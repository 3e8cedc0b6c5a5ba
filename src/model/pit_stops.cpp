#include "pit_stops.h"

namespace kav {
namespace {
constexpr TimeValue kTicksPerDay = 24 * kTicksPerHour;
} // namespace

PitStops::Car* PitStops::car(std::string_view regNo)
{
    if (const auto found = m_cars.find(regNo); found != m_cars.end())
        return &found->second;
    if (regNo.empty() || m_cars.size() >= kMaxCars)
        return nullptr;
    return &m_cars.emplace(std::string(regNo), Car{}).first->second;
}

bool PitStops::take(const LineCrossingRecord& crossing)
{
    Car* entry = car(crossing.RegNo);
    if (!entry || (entry->crossed && entry->last == crossing))
        return false;
    entry->crossed = true;
    m_anyCrossing = true;
    entry->last = crossing;
    PitState& state = entry->state;
    if (crossing.Line == crossing::kPitIn) {
        if (!state.inPitLane) {
            ++state.stops;
            entry->pitIn = crossing.TimeOfDay;
        }
        state.inPitLane = true;
    } else if (crossing.Line == crossing::kPitOut || crossing.Line == crossing::kTrackFinish) {
        if (state.inPitLane) {
            const bool timed = crossing.Line == crossing::kPitOut && entry->pitIn >= 0;
            const TimeValue stop = crossing.TimeOfDay - entry->pitIn;
            state.lastStop = timed ? (stop < 0 ? stop + kTicksPerDay : stop) : -1;
        }
        // A car leaving the pits at the start of a session has no pit-in; its stint starts all the same.
        if (state.inPitLane || crossing.Line == crossing::kPitOut)
            state.stintStartLap = state.laps;
        state.inPitLane = false;
        entry->pitIn = -1;
    }
    return true;
}

void PitStops::takeLaps(std::string_view regNo, std::int32_t laps)
{
    if (Car* entry = car(regNo))
        entry->state.laps = laps;
}

std::vector<std::pair<std::string, PitState>> PitStops::states() const
{
    std::vector<std::pair<std::string, PitState>> states;
    for (const auto& [regNo, car] : m_cars) {
        if (car.crossed)
            states.emplace_back(regNo, car.state);
    }
    return states;
}

const PitState* PitStops::find(std::string_view regNo) const
{
    const auto found = m_cars.find(regNo);
    return found == m_cars.end() || !found->second.crossed ? nullptr : &found->second.state;
}

} // namespace kav
