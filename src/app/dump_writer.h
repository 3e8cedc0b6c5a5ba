#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QWidget;

namespace kav {

class TFResults;
class TPicture;
class TGenInfoPanel;
class TRaceState;
class TStatusPictures;

// The files --dump writes at the end of a replay: what each result window and the general
// information panel show, and the race state, for scripts and tests to compare.
//
// CSV files follow RFC 4180: UTF-8 without a byte order mark, every record ended by CRLF, a field
// quoted only when it holds a comma, a quote, CR or LF. Cell texts are written exactly as the grid
// holds them, blanks included: the windows pad numbers with blanks on purpose (" 1:29.000"). Each
// file is written to a temporary file and renamed, so it is complete or not there; false and error
// tell which file failed and why.

// A marker picture's name as the files write it ("green ball"); empty for none or another picture.
QString PictureName(const TPicture* picture, const TStatusPictures& pictures);
// The flag lamp's colour as a word: red, yellow or green (else 0xRRGGBB).
QString LampWord(std::int32_t color);
// The flag of the race state as a word: red, yellow or green.
QString FlagWord(std::uint8_t flag);
// "1" when the widget is shown on the panel once the panel is on screen, else "0".
QString ShownFlag(const QWidget& widget, const TGenInfoPanel& panel);

// One field, quoted when needed, its quotes doubled.
QString CsvField(const QString& text);
// One record in UTF-8 with its CRLF.
QByteArray CsvLine(const QStringList& fields);

// Every cell of the window's grid row by row, the header row first; a status picture as its role in
// brackets, e.g. "[green ball]".
bool WriteResultWindowCsv(const TFResults& window, const TStatusPictures& pictures, const QString& file,
                          QString& error);
// "caption,value,shown" and one row per item code 1 to 10; item 10 is the flag lamp with its colour as
// a word (red, yellow, green). shown is 1 when the item is shown on the panel once the panel is on
// screen, and 0 for every item while the panel itself is hidden.
bool WriteGenInfoCsv(const TGenInfoPanel& panel, const QString& file, QString& error);
// key=value lines with LF ends: errors, flag, race_finished, row_count, run.
bool WriteStateTxt(const TRaceState& state, const QString& file, QString& error);
// ResultWin<N>.csv for each window (N its window number), geninfo.csv, state.txt and laps.csv (see
// laps_csv.h) in dir, which is made when missing. Every file is tried; error lists the ones that failed.
bool WriteDump(const QString& dir, const std::vector<TFResults*>& windows, const TStatusPictures& pictures,
               const TGenInfoPanel& panel, const TRaceState& state, QString& error);

} // namespace kav
