#include "window_state.h"

namespace kav {

Qt::WindowStates ToQtState(TWindowState state)
{
    switch (state) {
    case TWindowState::Minimized: return Qt::WindowMinimized;
    case TWindowState::Maximized: return Qt::WindowMaximized;
    default: return Qt::WindowNoState;
    }
}

TWindowState FromQtState(Qt::WindowStates state)
{
    if (state & Qt::WindowMinimized)
        return TWindowState::Minimized;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return TWindowState::Maximized;
    return TWindowState::Normal;
}

} // namespace kav
