#pragma once

#include "clock.h"
#include "content_builder.h"
#include "device.h"
#include "gen_info_panel.h"
#include "race_chart_source.h"
#include "race_charts_host.h"
#include "race_state.h"
#include "record_processor.h"
#include "result_windows.h"
#include "results_models.h"
#include "status_pictures.h"

namespace kav {

class TMessage;

// The controller as the main window holds it: the race data, the results model of each window kind
// with the open result windows that show them, content building and record processing, wired to a
// general information panel and a message window that the main window places, and taking its lines
// from the device.
class TController {
public:
    TController(TDevice& device, TMainSettings& settings, TGenInfoPanel& panel, TMessage& message, const TClock& clock)
        : Models(State.RowCount), Content(State, Models, settings, Pictures),
          Records(State, Content, settings, panel, message, clock), chartSource(State, settings),
          raceCharts(chartSource)
    {
        // The road of every line, received or replayed: device framing, then record processing.
        QObject::connect(&device, &TDevice::lineReceived, &Records, &TRecordProcessor::ReceiveString);
        QObject::connect(&device, &TDevice::lineDropped, &Records, &TRecordProcessor::CountBadLine);
    }

    TRaceState State;
    ResultsModels Models;
    TResultWindows Windows;
    TStatusPictures Pictures;
    TContentBuilder Content;
    TRecordProcessor Records;
    RaceChartSource chartSource;
    RaceChartsHost raceCharts;
};

} // namespace kav
