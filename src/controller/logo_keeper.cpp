#include "logo_keeper.h"

#include <QMdiArea>

#include "f_logo.h"
#include "window_state.h"

namespace kav {

LogoKeeper::LogoKeeper(QMdiArea& area)
    : m_area(area), m_logo{{100, 100, 10, 10, TWindowState::Normal, false}, false, {}}
{
}

TFLogo* LogoKeeper::window() const
{
    return m_window;
}

bool LogoKeeper::show()
{
    if (!m_window) {
        m_window = new TFLogo(&m_area);
        QWidget* frame = m_window->Frame();
        const TWinPosRec& pos = m_logo.WinPos;
        if (pos.Top != -1) {
            if (pos.Width > 0 && pos.Height > 0)
                frame->resize(pos.Width, pos.Height);
            frame->move(pos.Left, pos.Top);
        }
        frame->setWindowState(ToQtState(pos.State));
        frame->show();
    }
    return m_logo.FileName.empty() || m_window->LoadPicture(QString::fromStdString(m_logo.FileName));
}

void LogoKeeper::close()
{
    if (!m_window)
        return;
    QWidget* frame = m_window->Frame();
    frame->close();
    delete frame;
}

void LogoKeeper::storePlacement()
{
    if (!m_window)
        return;
    const QWidget* frame = m_window->Frame();
    m_logo.WinPos.Height = frame->height();
    m_logo.WinPos.Width = frame->width();
    m_logo.WinPos.Top = frame->y();
    m_logo.WinPos.Left = frame->x();
    m_logo.WinPos.State = FromQtState(frame->windowState());
}

void LogoKeeper::clear()
{
    close();
    m_logo.FileName.clear();
    m_logo.Visible = false;
}

} // namespace kav
