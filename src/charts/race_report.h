#pragma once

#include <QDate>
#include <QString>

#include "race_source.h"

namespace kav {

// The race report: an A4 PDF with the run, the track and the date, the classification overall and by
// class, the fastest laps, and the lap chart and the gap chart as vector drawings, each page numbered.
// Written through a save file: a failed write leaves no half-written report. False and error tell why.
// The feed names the session's day without its year: it is taken from the day the feed was recorded
// (a replayed file's date) where that is known, else from the day of the export.
bool writeRaceReport(const RaceSource& source, const QString& file, QString& error,
                     const QDate& exported = QDate::currentDate(), const QDate& recorded = {});

} // namespace kav
