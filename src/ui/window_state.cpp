#include "window_state.h"

namespace kav {

Qt::WindowStates toQtState(WindowState state)
{
    switch (state) {
    case WindowState::Minimized: return Qt::WindowMinimized;
    case WindowState::Maximized: return Qt::WindowMaximized;
    default: return Qt::WindowNoState;
    }
}

WindowState fromQtState(Qt::WindowStates state)
{
    if (state & Qt::WindowMinimized)
        return WindowState::Minimized;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return WindowState::Maximized;
    return WindowState::Normal;
}

} // namespace kav
