#pragma once

#include <QByteArray>

#include "race_events.h"

namespace kav {

// events.csv of the --dump folder, written for every run: "Seq,Race time,Kind,Car,Class,Text" and one
// row per event the run kept, oldest first. Race time is the heartbeat's hh:mm:ss (empty before the
// first), Kind the event's tag (FLAG, FASTEST, CLASS FASTEST, LEAD, CLASS LEAD, PB, FINISH,
// STOPPED, PIT IN, PIT OUT), Car the
// car's number (empty for a flag) and Class its class. RFC 4180 with CRLF like the other dump files.
QByteArray eventsCsv(const RaceEvents& events);

} // namespace kav
