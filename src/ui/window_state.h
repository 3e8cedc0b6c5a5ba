#pragma once

#include <Qt>

#include "window_records.h"

namespace kav {

// Window states as settings and layout files keep them, and as Qt knows them. Full screen counts as
// maximised.
Qt::WindowStates toQtState(WindowState state);
WindowState fromQtState(Qt::WindowStates state);

} // namespace kav
