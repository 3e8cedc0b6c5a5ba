#include "race_charts_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace kav {

namespace {

constexpr int kListWidth = 180;
const QString kPointHint = QStringLiteral("Point at a line to see the car and the lap.");

} // namespace

RaceChartsWindow::RaceChartsWindow(const RaceSource& source, QWidget* parent) : QWidget(parent), m_source(source)
{
    setWindowTitle(QStringLiteral("Race charts"));
    m_lapChart = new LapChart(LapChart::Kind::Position, source);
    m_gapChart = new LapChart(LapChart::Kind::Gap, source);
    m_lapTimeChart = new LapChart(LapChart::Kind::LapTime, source);
    m_lapTimeChart->chooseCars({});
    m_tabs = new QTabWidget;
    m_tabs->addTab(m_lapChart, QStringLiteral("Lap chart"));
    m_tabs->addTab(m_gapChart, QStringLiteral("Gap to leader"));
    m_tabs->addTab(makeLapTimePage(), QStringLiteral("Lap times"));
    m_pointed = new QLabel(kPointHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_pointed);
    for (LapChart* chart : {m_lapChart, m_gapChart, m_lapTimeChart})
        connect(chart, &LapChart::lapPointed, m_pointed, &QLabel::setText);
    connect(m_tabs, &QTabWidget::currentChanged, this, &RaceChartsWindow::redraw);
    m_redrawTimer.setSingleShot(true);
    m_redrawTimer.setInterval(kRedrawInterval);
    connect(&m_redrawTimer, &QTimer::timeout, this, &RaceChartsWindow::redrawWhenDue);
    connect(&source, &RaceSource::changed, this, &RaceChartsWindow::scheduleRedraw);
}

QWidget* RaceChartsWindow::makeLapTimePage()
{
    auto* page = new QSplitter;
    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(new QLabel(QStringLiteral("Cars to compare:")));
    m_carList = new QListWidget;
    sideLayout->addWidget(m_carList, 1);
    side->setMaximumWidth(kListWidth * 2);
    page->addWidget(side);
    page->addWidget(m_lapTimeChart);
    page->setStretchFactor(1, 1);
    page->setSizes({kListWidth, kListWidth * 4});
    connect(m_carList, &QListWidget::itemChanged, this, &RaceChartsWindow::carTicked);
    return page;
}

LapChart& RaceChartsWindow::chart(LapChart::Kind kind) const
{
    switch (kind) {
    case LapChart::Kind::Position: return *m_lapChart;
    case LapChart::Kind::Gap: return *m_gapChart;
    case LapChart::Kind::LapTime: break;
    }
    return *m_lapTimeChart;
}

// What the source tells of is drawn a moment later, while the window is shown (it draws on being shown).
void RaceChartsWindow::scheduleRedraw()
{
    m_moreCame = m_redrawTimer.isActive();
    if (!m_moreCame && isVisible())
        m_redrawTimer.start();
}

// A lap on its own is drawn when its moment is up; while laps keep coming (the feed catching up, a
// replay) the charts are drawn once a second, so that the result windows keep the time.
void RaceChartsWindow::redrawWhenDue()
{
    const bool arriving = std::exchange(m_moreCame, false);
    if (arriving && m_sinceRedraw.isValid() && m_sinceRedraw.elapsed() < kBurstRedrawInterval.count()) {
        m_redrawTimer.start();
        return;
    }
    redraw();
}

// Only the chart on view is drawn; the others catch up when their tab is chosen.
void RaceChartsWindow::redraw()
{
    if (!isVisible())
        return;
    m_redrawTimer.stop();
    m_moreCame = false;
    m_sinceRedraw.start();
    LapChart* chart = m_tabs->currentIndex() == kLapTab   ? m_lapChart
                      : m_tabs->currentIndex() == kGapTab ? m_gapChart
                                                          : m_lapTimeChart;
    if (chart == m_lapTimeChart)
        updateCarList();
    chart->refresh();
    chart->markFollowedCars();
}

void RaceChartsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    redraw();
}

// The list follows the cars of the run; a new run keeps the ticks of the numbers that come again.
void RaceChartsWindow::updateCarList()
{
    const LapHistory& history = m_source.lapHistory();
    if (history.carCount() == m_listedCars && history.resets() == m_listedResets)
        return;
    m_listedCars = history.carCount();
    m_listedResets = history.resets();
    const QSignalBlocker blocker(m_carList);
    m_carList->clear();
    for (int car = 0; car < history.carCount(); ++car) {
        const std::string& regNo = history.car(car).regNo;
        const CarLabel label = m_source.carLabel(regNo);
        const QString number = label.number.isEmpty() ? QString::fromStdString(regNo) : label.number;
        auto* item = new QListWidgetItem(number + QStringLiteral("  ") + label.name, m_carList);
        item->setData(Qt::UserRole, QString::fromStdString(regNo));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(m_chosen.count(regNo) ? Qt::Checked : Qt::Unchecked);
    }
}

void RaceChartsWindow::carTicked(QListWidgetItem* item)
{
    const std::string regNo = item->data(Qt::UserRole).toString().toStdString();
    if (item->checkState() == Qt::Checked)
        m_chosen.insert(regNo);
    else
        m_chosen.erase(regNo);
    m_lapTimeChart->chooseCars(m_chosen);
}

void RaceChartsWindow::saveTo(RaceChartsRec& rec) const
{
    rec.chart = m_tabs->currentIndex();
    rec.lapTimeCars.assign(m_chosen.begin(), m_chosen.end());
}

void RaceChartsWindow::restoreFrom(const RaceChartsRec& rec)
{
    m_chosen = std::set<std::string>(rec.lapTimeCars.begin(), rec.lapTimeCars.end());
    m_listedCars = -1;
    m_lapTimeChart->chooseCars(m_chosen);
    if (rec.chart >= kLapTab && rec.chart <= kLapTimeTab)
        m_tabs->setCurrentIndex(rec.chart);
    redraw();
}

} // namespace kav
