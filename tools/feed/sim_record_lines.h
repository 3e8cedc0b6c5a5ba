#pragma once

#include <string>

#include "sim_entry_list.h"
#include "sim_standings.h"

namespace kav {

// The simulator's records, each written by the protocol's own record class.
std::string NewRunLine(TimeValue timeOfDay, const std::string& date);
std::string RunLine(int number, const std::string& description);
std::string ClassLine(int classNo, const std::string& description);
std::string SettingLine(const std::string& name, const std::string& value);
std::string CompetitorLine(const TSimCar& car);
std::string FullCompetitorLine(const TSimCar& car);
std::string HeartbeatLine(int lapsToGo, TimeValue timeToGo, TimeValue timeOfDay, TimeValue raceTime,
                          const std::string& flag);
std::string PassingLine(const TSimCar& car, TimeValue lapTime, TimeValue timeOfDay);
// A race position; the laps field is empty while the car has not crossed the line.
std::string RacePositionLine(int position, const TSimCar& car, const TSimProgress& progress);
std::string PracticePositionLine(int position, const TSimCar& car, const TSimProgress& progress);

} // namespace kav
