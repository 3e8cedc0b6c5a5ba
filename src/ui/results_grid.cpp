#include "results_grid.h"

#include "results_grid_header.h"
#include "results_model.h"
#include "status_pictures.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

namespace kav {

namespace {

constexpr int kDefaultColWidth = 64;
constexpr int kDefaultRowHeight = 24;
const QString kBlank = QStringLiteral(" ");

} // namespace

ResultsGrid::ResultsGrid(QWidget* parent)
    : QTableView(parent), m_header(new ResultsGridHeader(*this)), m_cells(new ResultsCellDelegate(this))
{
    m_headerTexts.fill(kBlank);
    setHorizontalHeader(m_header);
    setItemDelegate(m_cells);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kDefaultRowHeight);
    m_header->setDefaultSectionSize(kDefaultColWidth);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    connect(m_header, &QHeaderView::sectionMoved, this, &ResultsGrid::onSectionMoved);
    connect(m_header, &QHeaderView::sectionDoubleClicked, this, &ResultsGrid::columnSettingsWanted);
}

ResultsGrid::~ResultsGrid() = default;

void ResultsGrid::setResults(ResultsModel* results)
{
    if (results == m_results)
        return;
    const std::vector<std::uint8_t> columns = columnOrder();
    m_results = results;
    setModel(results);
    setColumns(columns);
}

void ResultsGrid::setColumns(const std::vector<std::uint8_t>& columns)
{
    m_arranging = true;
    for (int section = 0; section < m_header->count(); ++section)
        m_header->setSectionHidden(section, true);
    int place = 0;
    for (std::uint8_t column : columns) {
        if (column >= m_header->count())
            continue;
        m_header->moveSection(m_header->visualIndex(column), place++);
        m_header->showSection(column);
    }
    // Without a column the grid still shows one, empty, as wide as a new column.
    m_empty = place == 0;
    m_cells->look().blank = m_empty;
    if (m_empty && m_header->count() > 0) {
        m_header->moveSection(m_header->visualIndex(0), 0);
        m_header->showSection(0);
        m_header->resizeSection(0, kDefaultColWidth);
    }
    m_arranging = false;
    refreshPlaces();
    viewport()->update();
}

std::vector<std::uint8_t> ResultsGrid::columnOrder() const
{
    std::vector<std::uint8_t> columns;
    for (int column : m_places) {
        if (column >= 0)
            columns.push_back(static_cast<std::uint8_t>(column));
    }
    return columns;
}

void ResultsGrid::refreshPlaces()
{
    m_places.clear();
    for (int visual = 0; visual < m_header->count() && !m_empty; ++visual) {
        const int section = m_header->logicalIndex(visual);
        if (!m_header->isSectionHidden(section))
            m_places.push_back(section);
    }
    if (m_places.empty())
        m_places = {-1};
}

void ResultsGrid::onSectionMoved()
{
    if (m_arranging)
        return;
    refreshPlaces();
    emit columnOrderChanged();
}

void ResultsGrid::setHeaderText(std::uint8_t column, const QString& text)
{
    if (column < m_headerTexts.size())
        m_headerTexts[column] = text.isEmpty() ? kBlank : text;
    m_header->viewport()->update();
}

int ResultsGrid::columnAt(int place) const
{
    return place >= 0 && place < gridColumnCount() ? m_places[std::size_t(place)] : -1;
}

int ResultsGrid::gridRowCount() const
{
    return (m_results ? m_results->rowCount() : 0) + kFixedRows;
}

int ResultsGrid::gridColumnWidth(int place) const
{
    if (place < 0 || place >= gridColumnCount())
        return 0;
    return m_header->sectionSize(std::max(columnAt(place), 0));
}

void ResultsGrid::setGridColumnWidth(int place, int width)
{
    if (place >= 0 && place < gridColumnCount() && m_header->count() > 0)
        m_header->resizeSection(std::max(columnAt(place), 0), std::max(width, 0));
}

int ResultsGrid::gridRowHeight(int row) const
{
    if (row == 0)
        return m_header->gridRowHeight();
    return row < gridRowCount() ? verticalHeader()->sectionSize(row - 1) : verticalHeader()->defaultSectionSize();
}

void ResultsGrid::setAllGridRowHeights(int height)
{
    verticalHeader()->setDefaultSectionSize(std::max(height, 1));
    m_header->setGridRowHeight(height);
    updateGeometries();
}

int ResultsGrid::topDataRow() const
{
    return verticalScrollBar()->value() + 1;
}

void ResultsGrid::setTopDataRow(int row)
{
    updateGeometries();
    verticalScrollBar()->setValue(std::max(row, 1) - 1);
}

void ResultsGrid::setScrollBars(bool on)
{
    m_scrollBars = on;
    const Qt::ScrollBarPolicy policy = on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
}

void ResultsGrid::setColor(ColorValue color)
{
    m_cells->look().background = color;
    viewport()->update();
}

void ResultsGrid::setTextColor(ColorValue color)
{
    m_cells->look().text = color;
    viewport()->update();
}

void ResultsGrid::setFixedColor(ColorValue color)
{
    m_cells->look().headerBackground = color;
    m_header->viewport()->update();
}

void ResultsGrid::setHeaderFontColor(ColorValue color)
{
    m_cells->look().headerText = color;
    m_header->viewport()->update();
}

void ResultsGrid::setAlternateRows(bool on)
{
    m_cells->look().alternateRows = on;
    viewport()->update();
}

void ResultsGrid::setRaisedLook(bool on)
{
    m_cells->look().raised = on;
    m_header->viewport()->update();
}

QString ResultsGrid::cell(int place, int row) const
{
    const int column = columnAt(place);
    if (row == 0)
        return column < 0 ? kBlank : m_headerTexts[std::size_t(column)];
    if (column < 0 || !m_results || !m_results->contains(row - 1, column))
        return kBlank;
    return m_results->index(row - 1, column).data(Qt::DisplayRole).toString();
}

const Picture* ResultsGrid::graphic(int place, int row) const
{
    const int column = columnAt(place);
    if (row == 0 || column < 0 || !m_results || !m_results->contains(row - 1, column))
        return nullptr;
    const QVariant marker = m_results->index(row - 1, column).data(kMarkerRole);
    return marker.isValid() ? statusPictures().forCode(static_cast<std::uint8_t>(marker.toInt())) : nullptr;
}

QString ResultsGrid::markerName(int place, int row) const
{
    const int column = columnAt(place);
    if (row == 0 || column < 0 || !m_results || !m_results->contains(row - 1, column))
        return {};
    return m_results->index(row - 1, column).data(kMarkerNameRole).toString();
}

// Only the rows in view are repainted, across the whole width: the model announces the rows and
// columns a burst of writes touched, and this grid may show its columns in any order.
void ResultsGrid::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& /*roles*/)
{
    if (!isVisible() || !topLeft.isValid() || !bottomRight.isValid())
        return;
    const int firstShown = rowAt(0);
    if (firstShown < 0)
        return;
    int lastShown = rowAt(viewport()->height() - 1);
    if (lastShown < 0)
        lastShown = model()->rowCount() - 1;
    const int first = std::max(topLeft.row(), firstShown);
    const int last = std::min(bottomRight.row(), lastShown);
    if (first > last)
        return;
    const int top = rowViewportPosition(first);
    viewport()->update(0, top, viewport()->width(), rowViewportPosition(last) + rowHeight(last) - top);
}

// A results display never moves on a key press: no keyboard search, no keyboard scrolling. The key
// goes on to the window (which leaves full screen on a character key).
void ResultsGrid::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
}

void ResultsGrid::keyboardSearch(const QString& /*search*/) {}

void ResultsGrid::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        m_cells->forgetTextWidths();
    QTableView::changeEvent(event);
}

void ResultsGrid::drawCell(QPainter& painter, int place, int row, const QRect& rect, bool printing) const
{
    if (place < 0 || place >= gridColumnCount())
        return;
    const int column = m_empty ? -1 : columnAt(place);
    if (row == 0) {
        drawHeaderCell(painter, column, rect, printing);
        return;
    }
    const QModelIndex index = column >= 0 && model() ? model()->index(row - 1, column) : QModelIndex();
    m_cells->paintCell(painter, index, row, rect, font(), palette(), printing);
}

void ResultsGrid::drawHeaderCell(QPainter& painter, int column, const QRect& rect, bool printing) const
{
    if (m_empty)
        column = -1;
    const bool shown = column >= 0 && std::size_t(column) < m_headerTexts.size();
    const QVariant alignment =
        shown && model() ? model()->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole) : QVariant();
    m_cells->paintHeader(painter, shown ? m_headerTexts[std::size_t(column)] : kBlank, alignment, rect, font(),
                         palette(), printing);
}

void ResultsGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit columnSettingsWanted();
}

} // namespace kav
