#pragma once

#include <QDate>
#include <QString>

#include "race_source.h"

namespace kav {

// The race report: an A4 PDF with the run, the track and the date, the classification overall and by
// class, the fastest laps, and the lap chart and the gap chart as vector drawings, each page numbered.
// Written through a save file: a failed write leaves no half-written report. False and error tell why.
bool writeRaceReport(const RaceSource& source, const QString& file, QString& error,
                     const QDate& date = QDate::currentDate());

} // namespace kav
