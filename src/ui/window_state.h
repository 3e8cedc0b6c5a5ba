#pragma once

#include <Qt>

#include "window_records.h"

namespace kav {

// Window states as settings and layout files keep them, and as Qt knows them. Full screen counts as
// maximised.
Qt::WindowStates ToQtState(TWindowState state);
TWindowState FromQtState(Qt::WindowStates state);

} // namespace kav
