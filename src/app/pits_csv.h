#pragma once

#include <QByteArray>

#include "pit_stops.h"

namespace kav {

// pits.csv of the --dump folder, written only for a feed with line crossings:
// "car,in_pit,stops,last_stop,laps_in_stint" and one row per car a crossing came for, by registration
// number. in_pit is "yes" or "no"; last_stop is written as lap times are (" 0:25.500"), empty when the
// car has not stopped or its pit-out went unseen. RFC 4180 with CRLF like the other dump files.
QByteArray pitsCsv(const PitStops& pits);

} // namespace kav
