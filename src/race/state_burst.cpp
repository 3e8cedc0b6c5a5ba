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

void appendPassings(std::string& burst, const ReadablePassingList& passings)
{
    for (int i = 0; i < passings.count(); ++i) {
        if (!passings.at(i).RegNo.empty())
            append(burst, passings.at(i));
    }
}

void appendStanding(std::string& burst, const RaceResultRecord& race, int position)
{
    if (!race.RegNo.empty())
        append<RacePositionRecord>(burst,
                                   {static_cast<std::uint16_t>(position), race.RegNo, race.Laps, race.TotalTime});
}

void appendStandings(std::string& burst, const ReadableRaceList& standings)
{
    for (int i = 0; i < standings.count(); ++i)
        appendStanding(burst, standings.at(i), i + 1);
}

void appendPractice(std::string& burst, const ReadablePracticeList& practice)
{
    for (int i = 0; i < practice.count(); ++i) {
        const PracticePositionRecord position{static_cast<std::uint16_t>(i + 1), practice.at(i).RegNo,
                                              practice.at(i).BestLap, practice.at(i).BestLapTime};
        if (!position.RegNo.empty())
            append(burst, position);
    }
}

// The completed lap and the track positions are the standings of the moment the leader last began a
// lap, with the best laps of that moment: those go first, and the present leader's standing then makes
// the late program take them as its completed lap, before the passings of the present lap.
void appendCompletedLap(std::string& burst, const RaceState& state)
{
    const ReadableRaceList& lap = state.LapRaceList;
    if (lap.count() == 0 || lap.at(0).RegNo.empty() || state.CurrentRaceList.count() == 0)
        return;
    appendPractice(burst, state.LapPracticeList);
    appendPassings(burst, state.LapPassingList);
    appendStandings(burst, lap);
    appendStanding(burst, state.CurrentRaceList.at(0), 1);
}

// Passings come before the standings, as around a crossing of the line, so the rows show last laps.
void appendCars(std::string& burst, const RaceState& state)
{
    for (int i = 0; i < state.CompList.count(); ++i)
        append(burst, state.CompList.byIndex(i));
    appendCompletedLap(burst, state);
    appendPassings(burst, state.CurrentPassingList);
    appendStandings(burst, state.CurrentRaceList);
    appendPractice(burst, state.PracticeList);
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
