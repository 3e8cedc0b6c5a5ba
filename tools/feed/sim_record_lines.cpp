#include "sim_record_lines.h"

#include "competitor_records.h"
#include "timing_records.h"

namespace kav {
namespace {

template <typename Record>
std::string Write(const typename Record::Data& data)
{
    Record record;
    record.SetData(data);
    return record.ToLine();
}

} // namespace

std::string NewRunLine(TimeValue timeOfDay, const std::string& date)
{
    return Write<TRecordI>({timeOfDay, date});
}

std::string RunLine(int number, const std::string& description)
{
    return Write<TRecordB>({static_cast<std::uint16_t>(number), description});
}

std::string ClassLine(int classNo, const std::string& description)
{
    return Write<TRecordC>({static_cast<std::uint8_t>(classNo), description});
}

std::string SettingLine(const std::string& name, const std::string& value)
{
    return Write<TRecordE>({name, value});
}

std::string CompetitorLine(const TSimCar& car)
{
    return Write<TRecordA>({car.regNo, car.number, car.classNo, static_cast<std::uint16_t>(std::stoi(car.regNo)),
                            car.firstName, car.lastName, car.nationality});
}

std::string FullCompetitorLine(const TSimCar& car)
{
    return Write<TRecordComp>(
        {car.regNo, car.number, car.classNo, car.firstName, car.lastName, car.nationality, car.team});
}

std::string HeartbeatLine(int lapsToGo, TimeValue timeToGo, TimeValue timeOfDay, TimeValue raceTime,
                          const std::string& flag)
{
    return Write<TRecordF>({lapsToGo, timeToGo, timeOfDay, raceTime, flag});
}

std::string PassingLine(const TSimCar& car, TimeValue lapTime, TimeValue timeOfDay)
{
    return Write<TRecordJ>({car.regNo, lapTime, timeOfDay});
}

std::string RacePositionLine(int position, const TSimCar& car, const TSimProgress& progress)
{
    // A car that has not crossed the line yet has no lap count at all, as timing computers send the grid.
    if (progress.laps == 0)
        return "$G," + std::to_string(position) + ",\"" + car.regNo + "\",,\"00:00:00.000\"";
    return Write<TRecordG>({static_cast<std::uint16_t>(position), car.regNo, progress.laps, progress.total});
}

std::string PracticePositionLine(int position, const TSimCar& car, const TSimProgress& progress)
{
    return Write<TRecordH>({static_cast<std::uint16_t>(position), car.regNo, progress.bestLap, progress.bestLapTime});
}

} // namespace kav
