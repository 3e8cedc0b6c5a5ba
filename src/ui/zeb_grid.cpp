#include "zeb_grid.h"

#include "picture.h"
#include "result_columns.h"
#include "results_model.h"
#include "zeb_cell_delegate.h"
#include "zeb_header.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace kav {

namespace {

constexpr int kDefaultColWidth = 64;
constexpr int kDefaultRowHeight = 24;
const QString kBlank = QStringLiteral(" ");

} // namespace

TZebGrid::TZebGrid(QWidget* parent) : QTableView(parent), m_header(new TZebHeader(*this))
{
    m_headerTexts.fill(kBlank);
    setHorizontalHeader(m_header);
    setItemDelegate(new TZebCellDelegate(*this));
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
    connect(m_header, &QHeaderView::sectionMoved, this, &TZebGrid::OnSectionMoved);
    connect(m_header, &QHeaderView::sectionDoubleClicked, this, &TZebGrid::DoubleClicked);
}

TZebGrid::~TZebGrid() = default;

void TZebGrid::SetResults(ResultsModel* results)
{
    if (results == m_results)
        return;
    const std::vector<std::uint8_t> columns = Columns();
    m_results = results;
    setModel(results);
    SetColumns(columns);
}

void TZebGrid::SetColumns(const std::vector<std::uint8_t>& columns)
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
    if (m_empty && m_header->count() > 0) {
        m_header->moveSection(m_header->visualIndex(0), 0);
        m_header->showSection(0);
        m_header->resizeSection(0, kDefaultColWidth);
    }
    m_arranging = false;
    RefreshPlaces();
    viewport()->update();
}

std::vector<std::uint8_t> TZebGrid::Columns() const
{
    std::vector<std::uint8_t> columns;
    for (int column : m_places) {
        if (column >= 0)
            columns.push_back(static_cast<std::uint8_t>(column));
    }
    return columns;
}

void TZebGrid::RefreshPlaces()
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

void TZebGrid::OnSectionMoved()
{
    if (m_arranging)
        return;
    RefreshPlaces();
    emit ColumnsMoved();
}

void TZebGrid::SetHeaderText(std::uint8_t column, const QString& text)
{
    if (column < m_headerTexts.size())
        m_headerTexts[column] = text.isEmpty() ? kBlank : text;
    m_header->viewport()->update();
}

int TZebGrid::ColumnAt(int place) const
{
    return place >= 0 && place < ColCount() ? m_places[std::size_t(place)] : -1;
}

int TZebGrid::RowCount() const
{
    return (m_results ? m_results->rowCount() : 0) + kFixedRows;
}

int TZebGrid::ColWidth(int place) const
{
    if (place < 0 || place >= ColCount())
        return 0;
    return m_header->sectionSize(std::max(ColumnAt(place), 0));
}

void TZebGrid::SetColWidth(int place, int width)
{
    if (place >= 0 && place < ColCount() && m_header->count() > 0)
        m_header->resizeSection(std::max(ColumnAt(place), 0), std::max(width, 0));
}

int TZebGrid::RowHeight(int row) const
{
    if (row == 0)
        return m_header->RowHeight();
    return row < RowCount() ? verticalHeader()->sectionSize(row - 1) : verticalHeader()->defaultSectionSize();
}

void TZebGrid::SetAllRowHeights(int height)
{
    verticalHeader()->setDefaultSectionSize(std::max(height, 1));
    m_header->SetRowHeight(height);
    updateGeometries();
}

int TZebGrid::TopRow() const
{
    return verticalScrollBar()->value() + 1;
}

void TZebGrid::SetTopRow(int row)
{
    updateGeometries();
    verticalScrollBar()->setValue(std::max(row, 1) - 1);
}

void TZebGrid::SetScrollBars(bool on)
{
    m_scrollBars = on;
    const Qt::ScrollBarPolicy policy = on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
}

void TZebGrid::SetColor(TColorValue color)
{
    m_color = color;
    viewport()->update();
}

void TZebGrid::SetTextColor(TColorValue color)
{
    m_textColor = color;
    viewport()->update();
}

void TZebGrid::SetFixedColor(TColorValue color)
{
    m_fixedColor = color;
    m_header->viewport()->update();
}

void TZebGrid::SetHeaderFontColor(TColorValue color)
{
    m_headerFontColor = color;
    m_header->viewport()->update();
}

void TZebGrid::SetAlternateRows(bool on)
{
    m_alternateRows = on;
    viewport()->update();
}

void TZebGrid::SetCtl3D(bool on)
{
    m_ctl3D = on;
    m_header->viewport()->update();
}

QString TZebGrid::GetCell(int place, int row) const
{
    const int column = ColumnAt(place);
    if (row == 0)
        return column < 0 ? kBlank : m_headerTexts[std::size_t(column)];
    if (column < 0 || !m_results || !m_results->contains(row - 1, column))
        return kBlank;
    return m_results->cell(row - 1, column).text;
}

const TPicture* TZebGrid::GetGraphic(int place, int row) const
{
    const int column = ColumnAt(place);
    if (row == 0 || column < 0 || !m_results || !m_results->contains(row - 1, column))
        return nullptr;
    return m_results->cell(row - 1, column).picture;
}

// Only the rows in view are repainted, across the whole width: the model announces the rows and
// columns a burst of writes touched, and this grid may show its columns in any order.
void TZebGrid::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& /*roles*/)
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
void TZebGrid::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
}

void TZebGrid::keyboardSearch(const QString& /*search*/) {}

void TZebGrid::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        m_textWidths.clear();
    QTableView::changeEvent(event);
}

void TZebGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit DoubleClicked();
}

} // namespace kav
