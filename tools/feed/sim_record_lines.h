#pragma once

#include <string>

#include "sim_entry_list.h"
#include "sim_standings.h"

namespace kav {

// The simulator's records, each written by the protocol's own record class.
std::string newRunLine(TimeValue timeOfDay, const std::string& date);
std::string runLine(int number, const std::string& description);
std::string classLine(int classNo, const std::string& description);
std::string settingLine(const std::string& name, const std::string& value);
std::string competitorLine(const SimCar& car);
std::string fullCompetitorLine(const SimCar& car);
std::string heartbeatLine(int lapsToGo, TimeValue timeToGo, TimeValue timeOfDay, TimeValue raceTime,
                          const std::string& flag);
std::string passingLine(const SimCar& car, TimeValue lapTime, TimeValue timeOfDay);
// A race position; the laps field is empty while the car has not crossed the line.
std::string racePositionLine(int position, const SimCar& car, const SimProgress& progress);
std::string practicePositionLine(int position, const SimCar& car, const SimProgress& progress);

} // namespace kav
