#pragma once

#include <Qt>

namespace kav {

// What the web view reads from a results model: one model per window kind, seventeen logical
// columns, display text, text colour, background and alignment in the usual roles, and the marker
// picture's name ("green ball", "white flag", ...) under this role, empty when none.
inline constexpr int kMarkerNameRole = Qt::UserRole + 1;
inline constexpr int kResultColumns = 17;
inline constexpr int kResultMarkerColumn = 1;
inline constexpr int kFirstKind = 1;
inline constexpr int kLastKind = 4;

} // namespace kav
