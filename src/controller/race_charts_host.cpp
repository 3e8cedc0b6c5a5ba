#include "race_charts_host.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "race_report.h"
#include "ui_prompter.h"
#include "window_state.h"

namespace kav {

QWidget* RaceChartsHost::frameIn(QMdiArea& area)
{
    if (!m_window) {
        m_window = new RaceChartsWindow(m_source);
        area.addSubWindow(m_window)->resize(kDefaultSize);
    }
    return m_window->parentWidget();
}

RaceChartsWindow* RaceChartsHost::open(QMdiArea& area)
{
    // A window opened anew lies inside the area; one a layout placed keeps its place.
    const bool opening = !m_window;
    QWidget* frame = frameIn(area);
    frame->show();
    if (opening)
        keepInsideParent(*frame);
    area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(frame));
    return m_window;
}

// Placed before it is shown: a shown window taking the normal state goes back to where it stood before.
void RaceChartsHost::restore(const RaceChartsRec& rec, QMdiArea& area)
{
    if (!rec.open)
        return;
    QWidget* frame = frameIn(area);
    const WindowPlacement& pos = rec.winPos;
    if (pos.Width > 0 && pos.Height > 0)
        frame->resize(pos.Width, pos.Height);
    if (pos.Top != -1)
        frame->move(pos.Left, pos.Top);
    frame->setWindowState(toQtState(pos.State));
    m_window->restoreFrom(rec);
    open(area);
}

RaceChartsRec RaceChartsHost::record() const
{
    RaceChartsRec rec;
    if (!m_window)
        return rec;
    const QWidget* frame = m_window->parentWidget();
    rec.open = true;
    rec.winPos.State = fromQtState(frame->windowState());
    const QRect normal = frame->geometry();
    rec.winPos.Height = normal.height();
    rec.winPos.Width = normal.width();
    rec.winPos.Top = normal.top();
    rec.winPos.Left = normal.left();
    m_window->saveTo(rec);
    return rec;
}

void RaceChartsHost::close()
{
    if (!m_window)
        return;
    QWidget* frame = m_window->parentWidget();
    frame->close();
    delete frame;
}

void RaceChartsHost::exportReport(QWidget* parent)
{
    const QString file = prompter().saveFileName(QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf"),
                                                 QStringLiteral("race report.pdf"), parent);
    if (file.isEmpty())
        return;
    if (QFile::exists(file) &&
        prompter().ask(BoxKind::Confirmation, QStringLiteral("File already exists! Overwrite file"), false, parent) !=
            Answer::Yes)
        return;
    QString error;
    if (!writeRaceReport(m_source, file, error))
        prompter().tell(BoxKind::Error, error, parent);
}

} // namespace kav
