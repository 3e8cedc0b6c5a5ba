#pragma once

#include <QString>

namespace kav {

class TFResults;
class TStatusPictures;

// Fills a result window with made-up standings, as the main window would during a race.
void FillSampleResults(TFResults& window, const TStatusPictures& pictures, int rows);

} // namespace kav
