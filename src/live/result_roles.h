#pragma once

#include <Qt>

#include "result_window_settings.h"

namespace kav {

// How a results model is read outside its own library: one model per window kind, the logical
// columns of the column catalogue, display text, text colour, background and alignment in the usual
// roles, and the marker of a cell under two roles of its own.
// The marker's status code (an int, see markers.h); none in a cell without a marker.
inline constexpr int kMarkerRole = Qt::UserRole + 1;
// The marker's name ("green ball", "white flag", ...), empty when none.
inline constexpr int kMarkerNameRole = Qt::UserRole + 2;
// The row's own text and background colour values as content building gave them (colour_value.h),
// none for a row that takes its window's colours; the usual roles carry them as brushes.
inline constexpr int kTextColourValueRole = Qt::UserRole + 3;
inline constexpr int kBackgroundColourValueRole = Qt::UserRole + 4;
// Whether the row is one the field fills (bool); the rows below it are room to grow.
inline constexpr int kRowInFieldRole = Qt::UserRole + 5;
inline constexpr int kResultColumns = static_cast<int>(kColumnIds);
inline constexpr int kResultMarkerColumn = 1;
inline constexpr int kFirstKind = 1;
inline constexpr int kLastKind = 4;

} // namespace kav
