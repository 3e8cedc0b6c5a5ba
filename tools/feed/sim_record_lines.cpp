#include "sim_record_lines.h"

#include "competitor_records.h"
#include "timing_records.h"

namespace kav {
namespace {

template <typename Record>
std::string write(const typename Record::Data& data)
{
    Record record;
    record.setData(data);
    return record.toLine();
}

} // namespace

std::string newRunLine(TimeValue timeOfDay, const std::string& date)
{
    return write<RecordI>({timeOfDay, date});
}

std::string runLine(int number, const std::string& description)
{
    return write<RecordB>({static_cast<std::uint16_t>(number), description});
}

std::string classLine(int classNo, const std::string& description)
{
    return write<RecordC>({static_cast<std::uint8_t>(classNo), description});
}

std::string settingLine(const std::string& name, const std::string& value)
{
    return write<RecordE>({name, value});
}

std::string competitorLine(const SimCar& car)
{
    return write<RecordA>({car.regNo, car.number, car.classNo, static_cast<std::uint16_t>(std::stoi(car.regNo)),
                           car.firstName, car.lastName, car.nationality});
}

std::string fullCompetitorLine(const SimCar& car)
{
    return write<RecordComp>(
        {car.regNo, car.number, car.classNo, car.firstName, car.lastName, car.nationality, car.team});
}

std::string heartbeatLine(int lapsToGo, TimeValue timeToGo, TimeValue timeOfDay, TimeValue raceTime,
                          const std::string& flag)
{
    return write<RecordF>({lapsToGo, timeToGo, timeOfDay, raceTime, flag});
}

std::string passingLine(const SimCar& car, TimeValue lapTime, TimeValue timeOfDay)
{
    return write<RecordJ>({car.regNo, lapTime, timeOfDay});
}

std::string racePositionLine(int position, const SimCar& car, const SimProgress& progress)
{
    // A car that has not crossed the line yet has no lap count at all, as timing computers send the grid.
    if (progress.laps == 0)
        return "$G," + std::to_string(position) + ",\"" + car.regNo + "\",,\"00:00:00.000\"";
    return write<RecordG>(
        {static_cast<std::uint16_t>(position), car.regNo, progress.laps, progress.total + progress.penalty});
}

std::string practicePositionLine(int position, const SimCar& car, const SimProgress& progress)
{
    return write<RecordH>({static_cast<std::uint16_t>(position), car.regNo, progress.bestLap, progress.bestLapTime});
}

} // namespace kav
