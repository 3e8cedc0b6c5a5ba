#pragma once

#include <QByteArray>
#include <QString>

#include "lap_history.h"

namespace kav {

// laps.csv of the --dump folder: "car,lap,lap_time,total_time,position,flag" and one row per lap the
// timing system counted, car by car in the order the cars were first seen. car is the registration
// number as the feed sends it; times are written as the result windows write them (" 1:28.933",
// " 0:06:04.104"; a lap of an hour or more " 1:02:03.456"); an unknown position is empty. RFC 4180
// with CRLF like the other dump files.
QByteArray lapsCsv(const LapHistory& history);
bool writeLapsCsv(const LapHistory& history, const QString& file, QString& error);

} // namespace kav
