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
inline constexpr int kResultColumns = static_cast<int>(kColumnIds);
inline constexpr int kResultMarkerColumn = 1;
inline constexpr int kFirstKind = 1;
inline constexpr int kLastKind = 4;

} // namespace kav
