#include "class_standings.h"

#include <algorithm>
#include <array>

namespace kav {
namespace {

// The distance from the car ahead to the car behind.
GapSource intervalTo(const StandingEntry& ahead, const StandingEntry& behind)
{
    if (behind.laps < ahead.laps)
        return GapSource::lapsBehind(ahead.laps - behind.laps);
    if (ahead.totalTime <= 0 || behind.totalTime <= 0)
        return GapSource::noTime();
    return GapSource::time(std::int64_t{behind.totalTime} - ahead.totalTime);
}

} // namespace

std::vector<ClassStanding> classStandings(const std::vector<StandingEntry>& overall)
{
    struct ClassSoFar {
        std::uint16_t cars = 0;
        const StandingEntry* first = nullptr; // the class's leader
        const StandingEntry* last = nullptr;  // the class's car ahead
    };
    // By class number: a flat table costs less than a map on every standing of a big field.
    std::array<ClassSoFar, kClassNumbers> classes{};
    std::vector<ClassStanding> standings(overall.size());
    for (std::size_t k = 0; k < overall.size(); ++k) {
        const StandingEntry& car = overall[k];
        ClassStanding& standing = standings[k];
        ClassSoFar& soFar = classes[std::size_t(std::clamp<std::int32_t>(car.classNo, 0, kClassNumbers - 1))];
        standing.classPosition = ++soFar.cars;
        standing.interval = k == 0 ? GapSource::blank() : intervalTo(overall[k - 1], car);
        if (!soFar.first) {
            soFar.first = &car;
            standing.classGap = GapSource::lapCount(car.laps);
        } else {
            standing.classGap = intervalTo(*soFar.first, car);
        }
        standing.classInterval = soFar.last ? intervalTo(*soFar.last, car) : GapSource::blank();
        soFar.last = &car;
    }
    return standings;
}

} // namespace kav
