#pragma once

#include "change_notice.h"
#include "clock.h"
#include "content_builder.h"
#include "device.h"
#include "race_chart_source.h"
#include "race_charts_host.h"
#include "race_state.h"
#include "record_processor.h"
#include "result_windows.h"
#include "results_models.h"
#include "run_info.h"

namespace kav {

class StandByMessage;

// The controller as the main window holds it: the race data, the live state every output reads (the
// results model of each window kind and the run's information), the open result windows, content
// building and record processing, wired to a message window that the main window places, and taking
// its lines from the device.
class Controller {
public:
    Controller(Device& device, MainSettings& settings, StandByMessage& message, const ClockSource& clock)
        : Info(clock), Models(State.RowCount), Content(State, Models, settings),
          Records(State, Content, settings, Info, message, clock), ChartSource(State, settings), RaceCharts(ChartSource)
    {
        // The road of every line, received or replayed: device framing, then record processing.
        QObject::connect(&device, &Device::lineReceived, &Records, &RecordProcessor::receiveString);
        QObject::connect(&device, &Device::lineDropped, &Records, &RecordProcessor::countBadLine);
        QObject::connect(&Records, &RecordProcessor::lapHistoryChanged, &ChartSource, &RaceSource::changed);
    }

    RaceState State;
    RunInfo Info;
    // The operator changed the settings, the layout or a result window.
    ChangeNotice SettingsChanged;
    ResultsModels Models;
    ResultWindows Windows;
    ContentBuilder Content;
    RecordProcessor Records;
    RaceChartSource ChartSource;
    RaceChartsHost RaceCharts;
};

} // namespace kav
