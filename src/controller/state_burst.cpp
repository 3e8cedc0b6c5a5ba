#include "state_burst.h"

#include "zeb_record.h"

namespace kav {
namespace {

constexpr int kMetresPerKm = 1000;

template <typename Record>
std::optional<typename Record::Data> parsed(std::string_view line)
{
    Record record;
    if (!record.Parse(line))
        return std::nullopt;
    return record.GetData();
}

template <typename Record>
void append(std::string& burst, const typename Record::Data& data)
{
    Record record;
    record.SetData(data);
    burst += record.ToLine();
    burst += '\n';
}

std::string kilometres(std::int32_t metres)
{
    std::string fraction = std::to_string(metres % kMetresPerKm);
    fraction.insert(0, 3 - fraction.size(), '0');
    return std::to_string(metres / kMetresPerKm) + '.' + fraction;
}

void appendRunAndTrack(std::string& burst, const TRaceState& state, const TMainSettings& settings,
                       const LatestRunRecords& latest)
{
    if (!state.RunName.empty())
        append<TRecordB>(burst, {latest.run() ? latest.run()->Word1 : std::uint16_t{0}, state.RunName});
    for (int classNo = 1; classNo <= TClassTable::kClasses; ++classNo) {
        if (!state.ClassTable.Get(classNo).empty())
            append<TRecordC>(burst, {static_cast<std::uint8_t>(classNo), state.ClassTable.Get(classNo)});
    }
    if (!settings.TrackName.empty())
        append<TRecordE>(burst, {"TRACKNAME", settings.TrackName});
    if (settings.TrackLength > 0)
        append<TRecordE>(burst, {"TRACKLENGTH", kilometres(settings.TrackLength)});
}

// Passings come before the standings, as around a crossing of the line, so the rows show last laps.
void appendCars(std::string& burst, const TRaceState& state)
{
    for (int i = 0; i < state.CompList.Count(); ++i)
        append<TRecordComp>(burst, state.CompList.GetByIndex(i));
    for (int i = 0; i < state.CurrentPassingList.Count(); ++i) {
        if (!state.CurrentPassingList.At(i).RegNo.empty())
            append<TRecordJ>(burst, state.CurrentPassingList.At(i));
    }
    for (int i = 0; i < state.CurrentRaceList.Count(); ++i) {
        const RaceResRec& race = state.CurrentRaceList.At(i);
        if (!race.RegNo.empty())
            append<TRecordG>(burst, {static_cast<std::uint16_t>(i + 1), race.RegNo, race.Laps, race.TotalTime});
    }
    for (int i = 0; i < state.PracList.Count(); ++i) {
        const PracResRec& practice = state.PracList.At(i);
        if (!practice.RegNo.empty())
            append<TRecordH>(
                burst, {static_cast<std::uint16_t>(i + 1), practice.RegNo, practice.BestLap, practice.BestLapTime});
    }
}

} // namespace

void LatestRunRecords::take(std::string_view line)
{
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    switch (Recognise(line)) {
    case kKindI:
        m_newRun = parsed<TRecordI>(line);
        m_run.reset();
        m_heartbeat.reset();
        break;
    case kKindB:
        if (auto run = parsed<TRecordB>(line))
            m_run = run;
        break;
    case kKindF:
        if (auto heartbeat = parsed<TRecordF>(line))
            m_heartbeat = heartbeat;
        break;
    default: break;
    }
}

std::string buildStateBurst(const TRaceState& state, const TMainSettings& settings, const LatestRunRecords& latest)
{
    std::string burst;
    append<TRecordI>(burst, latest.newRun().value_or(TIRec{}));
    appendRunAndTrack(burst, state, settings, latest);
    appendCars(burst, state);
    if (latest.heartbeat())
        append<TRecordF>(burst, *latest.heartbeat());
    return burst;
}

} // namespace kav
