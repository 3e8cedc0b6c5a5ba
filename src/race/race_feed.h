#pragma once

#include "clock.h"
#include "content_builder.h"
#include "device.h"
#include "follow_list.h"
#include "program_settings.h"
#include "race_chart_source.h"
#include "race_state.h"
#include "record_processor.h"
#include "results_models.h"
#include "run_info.h"

namespace kav {

// What the feed makes, without a window: the race data and the live state every output reads (the
// results model of each window kind, the run's information, the drivers followed), kept by content
// building and record processing on the lines of the device.
class RaceFeed {
public:
    RaceFeed(Device& device, ProgramSettings& settings, const ClockSource& clock);

    // Back to the state before the first line: the race state, the results of every kind, the run's
    // information (the track aside: the settings say it) and the record processing. Says nothing;
    // announceAll tells every listener once, which a replay that seeks does after its lines.
    void restart();
    void announceAll();

    RaceState State;
    RunInfo Info;
    FollowList Followed;
    ResultsModels Models;
    ContentBuilder Content;
    RecordProcessor Records;
    RaceChartSource ChartSource;
};

} // namespace kav
