#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdint>
#include <set>
#include <string>

#include "lap_chart.h"
#include "race_source.h"
#include "window_records.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QTabWidget;

namespace kav {

// The race charts: the lap chart, the gap to the leader and the lap times of chosen cars, following
// the race live. What the source tells of is drawn a moment later, once a second while laps keep
// coming, and only the chart on view; nothing is drawn while the window is hidden.
class RaceChartsWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kRedrawInterval{250};
    static constexpr std::chrono::milliseconds kBurstRedrawInterval{1000};
    enum Tab { kLapTab = 0, kGapTab = 1, kLapTimeTab = 2 };

    explicit RaceChartsWindow(const RaceSource& source, QWidget* parent = nullptr);

    // The chart shown and the cars chosen, for the layout.
    void saveTo(RaceChartsRec& rec) const;
    void restoreFrom(const RaceChartsRec& rec);

    LapChart& chart(LapChart::Kind kind) const;
    QTabWidget& tabs() const { return *m_tabs; }
    QListWidget& carList() const { return *m_carList; }
    QLabel& pointedLap() const { return *m_pointed; }
    // Draws what came since the last redraw now, instead of when it is due.
    void redraw();
    // Whether a redraw is due for a change the source told of.
    bool redrawDue() const { return m_redrawTimer.isActive(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void scheduleRedraw();
    void redrawWhenDue();
    QWidget* makeLapTimePage();
    void updateCarList();
    void carTicked(QListWidgetItem* item);

    const RaceSource& m_source;
    QTabWidget* m_tabs = nullptr;
    LapChart* m_lapChart = nullptr;
    LapChart* m_gapChart = nullptr;
    LapChart* m_lapTimeChart = nullptr;
    QListWidget* m_carList = nullptr;
    QLabel* m_pointed = nullptr;
    QTimer m_redrawTimer;
    QElapsedTimer m_sinceRedraw;
    bool m_moreCame = false; // told of another change while a redraw was due
    std::set<std::string> m_chosen;
    std::uint64_t m_listedResets = 0;
    int m_listedCars = -1;
};

} // namespace kav
