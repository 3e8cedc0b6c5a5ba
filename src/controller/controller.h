#pragma once

#include "clock.h"
#include "content_builder.h"
#include "gen_info_panel.h"
#include "race_chart_source.h"
#include "race_charts_host.h"
#include "race_state.h"
#include "record_processor.h"
#include "result_windows.h"
#include "status_pictures.h"

namespace kav {

class TMessage;

// The controller as the main window holds it: the race data, the open result windows, content
// building and record processing, wired to a general information panel and a message window that
// the main window places.
class TController {
public:
    TController(TMainSettings& settings, TGenInfoPanel& panel, TMessage& message, const TClock& clock)
        : Content(State, Windows, settings, Pictures), Records(State, Content, settings, panel, message, clock),
          chartSource(State, settings), raceCharts(chartSource)
    {
    }

    TRaceState State;
    TResultWindows Windows;
    TStatusPictures Pictures;
    TContentBuilder Content;
    TRecordProcessor Records;
    RaceChartSource chartSource;
    RaceChartsHost raceCharts;
};

} // namespace kav
