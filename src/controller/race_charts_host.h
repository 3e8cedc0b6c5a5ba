#pragma once

#include <QObject>
#include <QPointer>

#include "race_charts_window.h"
#include "race_source.h"
#include "window_records.h"

class QMdiArea;
class QWidget;

namespace kav {

// The main window's race charts window: opened from the Results menu or a layout, kept in layouts,
// and the race report that File > "Export race report..." writes.
class RaceChartsHost : public QObject {
    Q_OBJECT

public:
    static constexpr QSize kDefaultSize{820, 540};

    explicit RaceChartsHost(const RaceSource& source) : m_source(source) {}

    // Shows the window in the area, opening it first when it is not open.
    RaceChartsWindow* open(QMdiArea& area);
    // Opens the window as a layout describes it; nothing when the layout has no race charts.
    void restore(const RaceChartsRec& rec, QMdiArea& area);
    // Where the window stands and what it shows; not open when it is closed.
    RaceChartsRec record() const;
    void close();
    RaceChartsWindow* window() const { return m_window; }

    // Asks for a file and writes the race report into it; a failure is told in a message box.
    void exportReport(QWidget* parent);

private:
    // The window's frame in the area, made when the window is not open.
    QWidget* frameIn(QMdiArea& area);

    const RaceSource& m_source;
    QPointer<RaceChartsWindow> m_window;
};

} // namespace kav
