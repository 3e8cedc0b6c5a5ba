#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

#include "main_settings.h"
#include "result_window_settings.h"

class QAbstractItemModel;

namespace kav {

class ResultWindow;
class RunInfo;
class RaceState;

// The files --dump writes at the end of a replay: what each result window and the general
// information panel show, and the race state, for scripts and tests to compare.
//
// CSV files follow RFC 4180: UTF-8 without a byte order mark, every record ended by CRLF, a field
// quoted only when it holds a comma, a quote, CR or LF. Cell texts are written exactly as the grid
// holds them, blanks included: the windows pad numbers with blanks on purpose (" 1:29.000"). Each
// file is written to a temporary file and renamed, so it is complete or not there; false and error
// tell which file failed and why.

// One field, quoted when needed, its quotes doubled.
QString csvField(const QString& text);
// One record in UTF-8 with its CRLF.
QByteArray csvLine(const QStringList& fields);

// Every cell the window shows row by row, the header row first: its columns in its order with the header
// texts, the cells read from the results it shows (its kind's, or one class's); a status picture as its
// name in brackets, e.g. "[green ball]".
bool writeResultWindowCsv(const ResultWindowSettings& window, const QAbstractItemModel& model,
                          const HeaderTexts& headers, const QString& file, QString& error);
// "caption,value,shown" and one row per item code 1 to 10; item 10 is the flag lamp with its colour as
// a word (red, yellow, green). shown is 1 when the item is shown on the panel once the panel is on
// screen, and 0 for every item while the panel itself is hidden.
bool writeGeneralInfoCsv(const RunInfo& info, const QString& file, QString& error);
// key=value lines with LF ends: errors, flag, race_finished, row_count, run.
bool writeStateText(const RaceState& state, const QString& file, QString& error);
// ResultWin<N>.csv for each window (N its window number), geninfo.csv, state.txt, laps.csv (see
// laps_csv.h) and events.csv (events_csv.h) in dir, which is made when missing, and pits.csv
// (pits_csv.h) when the feed had line crossings (an older pits.csv is removed otherwise). Every file is
// tried; error lists the ones that failed.
struct DumpSource {
    const std::vector<ResultWindow*>& windows;
    const HeaderTexts& headers;
    const RunInfo& info;
    const RaceState& state;
};
bool writeDump(const QString& dir, const DumpSource& source, QString& error);

} // namespace kav
