#pragma once

#include <Qt>

#include "window_records.h"

class QWidget;

namespace kav {

// Window states as settings and layout files keep them, and as Qt knows them. Full screen counts as
// maximised.
Qt::WindowStates toQtState(WindowState state);
WindowState fromQtState(Qt::WindowStates state);

// Moves a sub-window, shrinking it where it is larger, so that it lies wholly in its parent's visible
// area: a window opened partly outside the main window cannot be reached with the mouse.
void keepInsideParent(QWidget& frame);

} // namespace kav
