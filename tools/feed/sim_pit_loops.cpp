#include "sim_pit_loops.h"

#include <cstdio>

#include "parsed_record.h"
#include "sim_options.h"

namespace kav {
namespace {
constexpr std::uint64_t kPitSeed = 0x5851f42d4c957f2d;
} // namespace

SimPitPlan::SimPitPlan(int cars, int laps, bool on, std::uint64_t seed) : m_plan(static_cast<std::size_t>(cars))
{
    if (!on || laps < kMinLaps)
        return;
    SimRandom random(seed ^ kPitSeed);
    for (auto& car : m_plan) {
        const auto stand = [&random] { return static_cast<TimeValue>(random.between(1500, 3500) * 100); };
        if (laps >= kTwoStopLaps && random.chance(50)) {
            car.emplace(static_cast<int>(random.between(laps / 4, laps / 2 - 1)), stand());
            car.emplace(static_cast<int>(random.between(laps / 2 + 1, laps * 3 / 4)), stand());
        } else {
            car.emplace(static_cast<int>(random.between(laps / 3, laps * 2 / 3)), stand());
        }
    }
}

TimeValue SimPitPlan::standing(int car, int lap) const
{
    const auto& plan = m_plan[static_cast<std::size_t>(car)];
    const auto found = plan.find(lap);
    return found == plan.end() ? 0 : found->second;
}

std::string lineCrossingLine(const SimCar& car, const char* line, TimeValue startOfDay, TimeValue at)
{
    const std::int64_t clock = std::int64_t{startOfDay} + at;
    // The session starts on 1 June; a long one runs into the next days.
    char date[16];
    std::snprintf(date, sizeof date, "06/%02d/2026", static_cast<int>(1 + clock / kSimDay));
    const std::string_view name = line;
    const char* id = name == "SFT" ? "T1" : name == "PIP" ? "P1" : name == "POP" ? "P2" : "P3";
    return writeRecord(
        RecordData{LineCrossingRecord{car.regNo, id, line, date, static_cast<TimeValue>(clock % kSimDay)}});
}

} // namespace kav
