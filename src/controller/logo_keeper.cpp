#include "logo_keeper.h"

#include <QMdiArea>

#include "logo_window.h"
#include "window_state.h"

namespace kav {

LogoKeeper::LogoKeeper(QMdiArea& area) : m_area(area), m_logo{{100, 100, 10, 10, WindowState::Normal, false}, false, {}}
{
}

LogoWindow* LogoKeeper::window() const
{
    return m_window;
}

bool LogoKeeper::show()
{
    if (!m_window) {
        m_window = new LogoWindow(&m_area);
        QWidget* frame = m_window->borderWindow();
        const WindowPlacement& pos = m_logo.WinPos;
        if (pos.Top != -1) {
            if (pos.Width > 0 && pos.Height > 0)
                frame->resize(pos.Width, pos.Height);
            frame->move(pos.Left, pos.Top);
        }
        frame->setWindowState(toQtState(pos.State));
        frame->show();
    }
    return m_logo.FileName.empty() || m_window->loadPicture(QString::fromStdString(m_logo.FileName));
}

void LogoKeeper::close()
{
    if (!m_window)
        return;
    QWidget* frame = m_window->borderWindow();
    frame->close();
    delete frame;
}

void LogoKeeper::storePlacement()
{
    if (!m_window)
        return;
    const QWidget* frame = m_window->borderWindow();
    m_logo.WinPos.Height = frame->height();
    m_logo.WinPos.Width = frame->width();
    m_logo.WinPos.Top = frame->y();
    m_logo.WinPos.Left = frame->x();
    m_logo.WinPos.State = fromQtState(frame->windowState());
}

void LogoKeeper::clear()
{
    close();
    m_logo.FileName.clear();
    m_logo.Visible = false;
}

} // namespace kav
