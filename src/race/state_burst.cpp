#include "state_burst.h"

#include "parsed_record.h"

namespace kav {
namespace {

constexpr int kMetresPerKm = 1000;

template <typename Rec>
void append(std::string& burst, const Rec& data)
{
    burst += writeRecord(RecordData{data});
    burst += '\n';
}

std::string kilometres(std::int32_t metres)
{
    std::string fraction = std::to_string(metres % kMetresPerKm);
    fraction.insert(0, 3 - fraction.size(), '0');
    return std::to_string(metres / kMetresPerKm) + '.' + fraction;
}

void appendRunAndTrack(std::string& burst, const RaceState& state, const MainSettings& settings,
                       const LatestRunRecords& latest)
{
    if (!state.RunName.empty())
        append<RunRecord>(burst, {latest.run() ? latest.run()->Word1 : std::uint16_t{0}, state.RunName});
    for (int classNo = 1; classNo <= ClassDescriptionTable::kClasses; ++classNo) {
        if (!state.ClassTable.get(classNo).empty())
            append<ClassRecord>(burst, {static_cast<std::uint8_t>(classNo), state.ClassTable.get(classNo)});
    }
    if (!settings.TrackName.empty())
        append<TrackSettingRecord>(burst, {"TRACKNAME", settings.TrackName});
    if (settings.TrackLength > 0)
        append<TrackSettingRecord>(burst, {"TRACKLENGTH", kilometres(settings.TrackLength)});
}

// Passings come before the standings, as around a crossing of the line, so the rows show last laps.
void appendCars(std::string& burst, const RaceState& state)
{
    for (int i = 0; i < state.CompList.count(); ++i)
        append(burst, state.CompList.byIndex(i));
    for (int i = 0; i < state.CurrentPassingList.count(); ++i) {
        if (!state.CurrentPassingList.at(i).RegNo.empty())
            append(burst, state.CurrentPassingList.at(i));
    }
    for (int i = 0; i < state.CurrentRaceList.count(); ++i) {
        const RaceResultRecord& race = state.CurrentRaceList.at(i);
        if (!race.RegNo.empty())
            append<RacePositionRecord>(burst,
                                       {static_cast<std::uint16_t>(i + 1), race.RegNo, race.Laps, race.TotalTime});
    }
    for (int i = 0; i < state.PracticeList.count(); ++i) {
        const PracticeResultRecord& practice = state.PracticeList.at(i);
        if (!practice.RegNo.empty())
            append<PracticePositionRecord>(
                burst, {static_cast<std::uint16_t>(i + 1), practice.RegNo, practice.BestLap, practice.BestLapTime});
    }
}

} // namespace

std::string buildStateBurst(const RaceState& state, const MainSettings& settings, const LatestRunRecords& latest)
{
    std::string burst;
    append(burst, latest.newRun().value_or(RunStartRecord{}));
    appendRunAndTrack(burst, state, settings, latest);
    appendCars(burst, state);
    if (latest.heartbeat())
        append(burst, *latest.heartbeat());
    return burst;
}

} // namespace kav
