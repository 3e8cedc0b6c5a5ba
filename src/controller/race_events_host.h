#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>

#include "race_events_window.h"
#include "race_state.h"
#include "record_processor.h"

class QMdiArea;

namespace kav {

// The main window's race events window, opened from the Results menu: while it is open it follows
// each record that adds events.
class RaceEventsHost : public QObject {
    Q_OBJECT
public:
    static constexpr QSize kDefaultSize{640, 360};

    RaceEventsHost(const RaceState& state, const RecordProcessor& records);

    // Shows the window in the area, opening it first when it is not open.
    RaceEventsWindow* open(QMdiArea& area);
    RaceEventsWindow* window() const { return m_window; }

private:
    void refresh();

    const RaceState& m_state;
    QPointer<RaceEventsWindow> m_window;
};

} // namespace kav
