#pragma once

#include <QString>

namespace kav {

class ResultsModel;
class TStatusPictures;

inline constexpr int kSampleRows = 20;

// Fills every row of a results model with made-up standings, as content building would during a race.
void FillSampleResults(ResultsModel& model, const TStatusPictures& pictures);

} // namespace kav
