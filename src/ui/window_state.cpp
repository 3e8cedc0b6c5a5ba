#include "window_state.h"

#include <QWidget>

#include <algorithm>

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

void keepInsideParent(QWidget& frame)
{
    const QWidget* parent = frame.parentWidget();
    if (!parent || frame.isWindow() || frame.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))
        return;
    const QRect area = parent->rect();
    if (!parent->isVisible() || area.isEmpty())
        return; // a window not shown yet has no area to speak of
    const QSize size = frame.size().boundedTo(area.size());
    const int left = std::clamp(frame.x(), area.left(), area.left() + area.width() - size.width());
    const int top = std::clamp(frame.y(), area.top(), area.top() + area.height() - size.height());
    frame.setGeometry(QRect(QPoint(left, top), size));
}

} // namespace kav
