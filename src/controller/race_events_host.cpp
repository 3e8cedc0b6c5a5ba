#include "race_events_host.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "feed_text.h"
#include "window_state.h"

namespace kav {

RaceEventsHost::RaceEventsHost(const RaceState& state, const RecordProcessor& records) : m_state(state)
{
    connect(&records, &RecordProcessor::eventsChanged, this, &RaceEventsHost::refresh);
}

RaceEventsWindow* RaceEventsHost::open(QMdiArea& area)
{
    const bool opening = !m_window;
    if (opening) {
        m_window = new RaceEventsWindow;
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        area.addSubWindow(m_window)->resize(kDefaultSize);
        refresh();
    }
    QWidget* frame = m_window->parentWidget();
    frame->show();
    if (opening)
        keepInsideParent(*frame);
    area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(frame));
    return m_window;
}

void RaceEventsHost::refresh()
{
    if (!m_window)
        return;
    QList<RaceEventRow> rows;
    for (const RaceEvent& event : m_state.events().events()) {
        rows.append({QString::fromLatin1(event.raceTimeText()), QString::fromLatin1(eventTag(event.kind)),
                     feedText(event.car), feedText(event.carClass), feedText(event.text)});
    }
    m_window->setEvents(rows);
}

} // namespace kav
