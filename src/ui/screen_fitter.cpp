#include "screen_fitter.h"

#include "results_grid.h"
#include "results_model.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <algorithm>
#include <chrono>

namespace kav {

ScreenFitter::ScreenFitter(ResultsGrid& grid, QObject* parent) : QObject(parent), m_grid(grid)
{
    connect(&m_pageTimer, &QTimer::timeout, this, &ScreenFitter::turnPage);
}

void ScreenFitter::start(const QFont& baseFont, int rows, int pageSeconds)
{
    if (!m_active) {
        m_baseScrollBars = m_grid.scrollBars();
        m_basePalettes.clear();
        for (const QWidget* area : spareAreas())
            m_basePalettes << area->palette();
        m_grid.installEventFilter(this);
        m_active = true;
    }
    m_baseFont = baseFont;
    m_rows = rows;
    m_baseWidths.clear();
    for (int place = 0; place < m_grid.gridColumnCount(); ++place)
        m_baseWidths.insert(m_grid.columnAt(place), m_grid.gridColumnWidth(place));
    m_grid.setScrollBars(false); // pages take the place of the scroll bar
    watchRows();
    refit();
    m_grid.setTopDataRow(1);
    if (pageSeconds > 0)
        m_pageTimer.start(std::chrono::seconds(pageSeconds));
    else
        m_pageTimer.stop();
}

void ScreenFitter::stop()
{
    if (!m_active)
        return;
    m_active = false;
    m_pageTimer.stop();
    forgetRows();
    m_grid.removeEventFilter(this);
    m_grid.setFont(m_baseFont);
    m_grid.setAllGridRowHeights(QFontMetrics(m_baseFont).height() + ScreenFit::kRowPadding);
    for (int place = 0; place < m_grid.gridColumnCount(); ++place)
        m_grid.setGridColumnWidth(place, baseWidth(place));
    m_grid.setScrollBars(m_baseScrollBars);
    for (qsizetype i = 0; i < m_basePalettes.size(); ++i)
        spareAreas().at(i)->setPalette(m_basePalettes.at(i));
}

void ScreenFitter::turnPage()
{
    if (!m_active)
        return;
    m_grid.setTopDataRow(ScreenFit::nextTopRow(m_grid.topDataRow(), m_result.rowsPerPage, fieldRows()));
}

bool ScreenFitter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_grid && event->type() == QEvent::Resize && m_active)
        refit();
    return QObject::eventFilter(watched, event);
}

void ScreenFitter::refit()
{
    const QRect area = m_grid.contentsRect();
    ScreenFit::Input input;
    input.areaWidth = area.width();
    input.areaHeight = area.height();
    input.rows = m_rows > 0 ? m_rows : fieldRows();
    input.basePixelSize = QFontInfo(m_baseFont).pixelSize();
    input.baseTextHeight = QFontMetrics(m_baseFont).height();
    for (int place = 0; place < m_grid.gridColumnCount(); ++place)
        input.baseWidths.push_back(baseWidth(place));
    m_result = ScreenFit::fit(input);
    QFont font = m_baseFont;
    font.setPixelSize(m_result.pixelSize);
    m_grid.setFont(font);
    m_grid.setAllGridRowHeights(m_result.rowHeight);
    for (int place = 0; place < m_grid.gridColumnCount(); ++place)
        m_grid.setGridColumnWidth(place, m_result.widths[std::size_t(place)]);
    paintSpareAreas();
}

// "All rows" are the rows the field fills, not the empty rows the table keeps below it to grow into;
// at least one, so that an empty field still gets a readable size.
int ScreenFitter::fieldRows() const
{
    const ResultsModel* results = m_grid.Results();
    const int tableRows = m_grid.gridRowCount() - ResultsGrid::kFixedRows;
    return results ? std::clamp(results->filledRowCount(), 1, std::max(tableRows, 1)) : tableRows;
}

// A field that grows or shrinks is fitted again, so that every row stays on the screen and the pages
// follow it.
void ScreenFitter::watchRows()
{
    forgetRows();
    const QAbstractItemModel* model = m_grid.model();
    if (!model)
        return;
    m_rowWatches = {connect(model, &QAbstractItemModel::rowsInserted, this, &ScreenFitter::refit),
                    connect(model, &QAbstractItemModel::rowsRemoved, this, &ScreenFitter::refit),
                    connect(model, &QAbstractItemModel::modelReset, this, &ScreenFitter::refit)};
    if (const ResultsModel* results = m_grid.Results())
        m_rowWatches << connect(results, &ResultsModel::filledRowCountChanged, this, &ScreenFitter::refit);
}

void ScreenFitter::forgetRows()
{
    for (const QMetaObject::Connection& watch : m_rowWatches)
        disconnect(watch);
    m_rowWatches.clear();
}

int ScreenFitter::baseWidth(int place) const
{
    return m_baseWidths.value(m_grid.columnAt(place), m_grid.gridColumnWidth(place));
}

// Beside and below the table, the screen shows the rows' colour rather than the desktop's.
QList<QWidget*> ScreenFitter::spareAreas() const
{
    return {m_grid.viewport(), m_grid.horizontalHeader()};
}

void ScreenFitter::paintSpareAreas()
{
    const QColor colour = toQColor(m_grid.color(), m_grid.palette());
    for (QWidget* area : spareAreas()) {
        QPalette palette = area->palette();
        palette.setColor(QPalette::Base, colour);
        palette.setColor(QPalette::Window, colour);
        palette.setColor(QPalette::Button, colour);
        area->setPalette(palette);
    }
}

} // namespace kav
