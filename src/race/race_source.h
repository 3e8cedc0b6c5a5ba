#pragma once

#include <QObject>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

#include "lap_history.h"

namespace kav {

// How a car is named on the charts and in the report, its texts already decoded for the screen.
struct CarLabel {
    QString number;
    QString name;
    int classNo = 0;
    QString className;
    bool followed = false;
};

// One car of the race standings as the current-race window shows them, with its best lap.
struct ClassifiedCar {
    std::string regNo;
    CarLabel label;
    int position = 0;
    std::int32_t laps = 0;
    TimeValue totalTime = 0;
    std::int32_t bestLap = 0; // 0: no best lap known
    TimeValue bestLapTime = kEmptyLapTime;
};

// What the race charts and the race report read of the race; the race feed provides it and tells
// when it changed, so that views redraw when told instead of looking.
class RaceSource : public QObject {
    Q_OBJECT

public:
    virtual const LapHistory& lapHistory() const = 0;
    virtual CarLabel carLabel(std::string_view regNo) const = 0;
    // Whether the operator follows the car; it can change at any time.
    virtual bool isFollowed(std::string_view regNo) const = 0;
    // The race standings from the first place down, cars without a standing left out.
    virtual std::vector<ClassifiedCar> classification() const = 0;
    // The best-lap standings of a practice or qualifying session from the first place down, laps
    // counted from the lap history.
    virtual std::vector<ClassifiedCar> bestLapClassification() const { return {}; }
    virtual QString runName() const = 0;
    virtual QString trackName() const = 0;
    // The session's date as the feed's new run gives it ("01 Jun"), empty when it gave none.
    virtual QString sessionDate() const { return {}; }
    // The feed's time of day at the session's start and at its last heartbeat, -1 when not known.
    virtual TimeValue sessionStart() const { return -1; }
    virtual TimeValue lastTimeOfDay() const { return -1; }

signals:
    // The lap history, the run or the cars followed changed; one burst of changes may tell it often.
    void changed();
};

} // namespace kav
