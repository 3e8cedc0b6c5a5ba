#pragma once

#include <QString>

namespace kav {

class ResultsModel;

inline constexpr int kSampleRows = 20;

// Fills every row of a results model with made-up standings, as content building would during a race.
void fillSampleResults(ResultsModel& model);

} // namespace kav
