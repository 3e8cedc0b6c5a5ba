#pragma once

#include "follow_list.h"
#include "main_settings.h"
#include "race_source.h"
#include "race_state.h"

namespace kav {

// The race as the charts and the report read it: the race state's lap history, standings and
// competitors, with the track name of the settings and the drivers followed. Tells of a change when the
// record processor or the follow list says so.
class RaceChartSource : public RaceSource {
    Q_OBJECT

public:
    RaceChartSource(const RaceState& state, const MainSettings& settings, const FollowList& followed);

    const LapHistory& lapHistory() const override { return m_state.lapHistory(); }
    CarLabel carLabel(std::string_view regNo) const override;
    bool isFollowed(std::string_view regNo) const override;
    std::vector<ClassifiedCar> classification() const override;
    std::vector<ClassifiedCar> bestLapClassification() const override;
    QString runName() const override;
    QString trackName() const override;
    QString sessionDate() const override;
    TimeValue sessionStart() const override { return m_state.RunStartTime; }
    TimeValue lastTimeOfDay() const override { return m_state.LastTimeOfDay; }

private:
    // A car of a classification at its place, with its label.
    ClassifiedCar placedCar(const std::string& regNo, int position) const;
    void findBestLap(ClassifiedCar& car) const;

    const RaceState& m_state;
    const MainSettings& m_settings;
    const FollowList& m_followed;
};

} // namespace kav
