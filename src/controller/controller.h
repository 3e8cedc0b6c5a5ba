#pragma once

#include "change_notice.h"
#include "flag_window_keeper.h"
#include "race_charts_host.h"
#include "race_events_host.h"
#include "race_feed.h"
#include "result_windows.h"
#include "stand_by_keeper.h"

namespace kav {

class StandByMessage;

// The controller as the main window holds it: what the feed makes (src/race) with the windows around
// it: the open result windows, the race charts, the flag window and the stand-by message that the main
// window places, and the notice of the operator's changes.
class Controller : public RaceFeed {
public:
    Controller(Device& device, ProgramSettings& settings, StandByMessage& message, const ClockSource& clock)
        : RaceFeed(device, settings, clock), RaceCharts(ChartSource), RaceEvents(State, Records), Flag(Info),
          StandBy(Records, message)
    {
        QObject::connect(&settings, &ProgramSettings::changed, &SettingsChanged, &ChangeNotice::tell);
    }

    // The settings, the layout or a result window changed.
    ChangeNotice SettingsChanged;
    ResultWindows Windows;
    RaceChartsHost RaceCharts;
    RaceEventsHost RaceEvents;
    FlagWindowKeeper Flag;
    StandByKeeper StandBy;
};

} // namespace kav
