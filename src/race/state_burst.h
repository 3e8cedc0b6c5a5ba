#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "competitor_records.h"
#include "main_settings.h"
#include "parsed_record.h"
#include "race_state.h"
#include "timing_records.h"

namespace kav {

// The whole state of the run as feed lines, each ended by LF, that bring a program which has seen
// nothing to the standings this one shows: $I, the run, classes, track, competitors, the last passing
// of each car, the race and practice standings, and the last heartbeat.
std::string buildStateBurst(const RaceState& state, const MainSettings& settings, const LatestRunRecords& latest);

} // namespace kav
