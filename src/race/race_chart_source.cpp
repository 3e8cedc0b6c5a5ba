#include "race_chart_source.h"

#include "content_builder.h"
#include "feed_text.h"
#include "text_helpers.h"

namespace kav {

RaceChartSource::RaceChartSource(const RaceState& state, const MainSettings& settings, const FollowList& followed)
    : m_state(state), m_settings(settings), m_followed(followed)
{
    // The charts mark the cars the operator chose to follow.
    connect(&followed, &FollowList::changed, this, &RaceSource::changed);
}

CarLabel RaceChartSource::carLabel(std::string_view regNo) const
{
    const FullCompetitorRecord comp = m_state.CompList.findByRegNo(regNo);
    CarLabel label;
    label.number = feedText(comp.Number);
    label.name = feedText(composeName(comp.FirstName, comp.LastName, ContentBuilder::kNameLength));
    label.classNo = comp.ClassNo;
    label.className = feedText(m_state.ClassTable.get(comp.ClassNo));
    label.followed = isFollowed(regNo);
    return label;
}

bool RaceChartSource::isFollowed(std::string_view regNo) const
{
    return m_followed.contains(regNo);
}

ClassifiedCar RaceChartSource::placedCar(const std::string& regNo, int position) const
{
    ClassifiedCar car;
    car.regNo = regNo;
    car.label = carLabel(regNo);
    car.position = position;
    return car;
}

// The rows the current-race window shows, in its order; places the standings left empty are skipped.
std::vector<ClassifiedCar> RaceChartSource::classification() const
{
    std::vector<ClassifiedCar> cars;
    const ReadableRaceList& standings = m_state.CurrentRaceList;
    for (int i = 0; i < standings.count(); ++i) {
        const RaceResultRecord& entry = standings.at(i);
        if (entry.RegNo.empty() || entry.Position == 0)
            continue;
        ClassifiedCar car = placedCar(entry.RegNo, entry.Position);
        car.laps = entry.Laps;
        car.totalTime = entry.TotalTime;
        findBestLap(car);
        cars.push_back(std::move(car));
    }
    return cars;
}

// The timing system's best lap when it sent one, else the car's fastest crossing of the line.
void RaceChartSource::findBestLap(ClassifiedCar& car) const
{
    const int practice = m_state.PracticeList.findByRegNo(car.regNo);
    if (practice >= 0 && m_state.PracticeList.at(practice).BestLapTime != kEmptyLapTime) {
        car.bestLap = m_state.PracticeList.at(practice).BestLap;
        car.bestLapTime = m_state.PracticeList.at(practice).BestLapTime;
        return;
    }
    const LapHistory& history = m_state.lapHistory();
    const int index = history.findCar(car.regNo);
    if (index < 0)
        return;
    for (const LapEntry& entry : history.car(index).laps) {
        if (entry.lapTime > 0 && entry.lapTime != kEmptyLapTime && entry.lapTime < car.bestLapTime) {
            car.bestLapTime = entry.lapTime;
            car.bestLap = entry.lap;
        }
    }
}

// The rows the practice window shows, in its order, each with the laps the car completed.
std::vector<ClassifiedCar> RaceChartSource::bestLapClassification() const
{
    std::vector<ClassifiedCar> cars;
    const ReadablePracticeList& standings = m_state.PracticeList;
    const LapHistory& history = m_state.lapHistory();
    for (int i = 0; i < standings.count(); ++i) {
        const PracticeResultRecord& entry = standings.at(i);
        if (entry.RegNo.empty() || entry.Position == 0)
            continue;
        ClassifiedCar car = placedCar(entry.RegNo, entry.Position);
        const int index = history.findCar(entry.RegNo);
        car.laps = index < 0 || history.car(index).laps.empty() ? 0 : history.car(index).laps.back().lap;
        car.bestLap = entry.BestLap;
        car.bestLapTime = entry.BestLapTime;
        cars.push_back(std::move(car));
    }
    return cars;
}

QString RaceChartSource::sessionDate() const
{
    return feedText(m_state.RunDate).trimmed();
}

QString RaceChartSource::runName() const
{
    return feedText(m_state.RunName);
}

QString RaceChartSource::trackName() const
{
    return feedText(m_settings.TrackName);
}

} // namespace kav
