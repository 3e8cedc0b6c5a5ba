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
constexpr int kTextInset = 2;
constexpr qsizetype kMaxWorkBitmaps = 512;
constexpr qsizetype kMaxTextWidths = 8192;
const QString kBlank = QStringLiteral(" ");

std::uint8_t AlignmentOf(int column)
{
    if (column < 0 || std::size_t(column) >= kColumnCatalogue.size())
        return kAlignLeft;
    return kColumnCatalogue[std::size_t(column)].Alignment.value_or(kAlignLeft);
}

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

int TZebGrid::TextLeft(std::uint8_t alignment, const QRect& cell, int textWidth)
{
    const int right = cell.x() + cell.width();
    int left = cell.left();
    if (alignment == kAlignLeft) {
        left = cell.left() + kTextInset;
    } else if (alignment == kAlignRight) {
        left = right - textWidth - kTextInset;
        if (left < cell.left())
            left = cell.left() + kTextInset;
    } else if (alignment == kAlignCenter) {
        const int half = (cell.width() - textWidth) / 2;
        left = cell.left() + std::max(half, 0);
    }
    return left > right ? cell.left() + kTextInset : left;
}

void TZebGrid::DrawCell(QPainter& painter, int place, int row, const QRect& rect, bool printing) const
{
    if (place >= 0 && place < ColCount())
        DrawColumnCell(painter, ColumnAt(place), row, rect, printing);
}

void TZebGrid::DrawColumnCell(QPainter& painter, int column, int row, const QRect& rect, bool printing) const
{
    if (m_empty)
        column = -1; // the one empty column stands in for the hidden model columns
    if (printing) {  // a printer's resolution is not the screen's: keep the size the screen shows
        QFont cellFont = font();
        cellFont.setPixelSize(QFontInfo(font()).pixelSize());
        painter.setFont(cellFont);
    } else if (painter.font() != font()) {
        painter.setFont(font());
    }
    if (row == 0) {
        DrawHeaderCell(painter, column, rect, printing);
        return;
    }
    const bool known = column >= 0 && m_results && m_results->contains(row - 1, column);
    const ResultsModel::RowColours* colours = known ? &m_results->rowColours(row - 1) : nullptr;
    const bool coloured = colours && colours->set;
    QColor background = ToQColor(coloured ? colours->background : m_color, palette());
    if (!coloured && m_alternateRows && row % 2 == 0)
        background = AlternateRowColor(background, ToQColor(m_textColor, palette()));
    const ResultsModel::Cell* cell = known ? &m_results->cell(row - 1, column) : nullptr;
    if (cell && cell->picture) {
        DrawPictureCell(painter, *cell->picture, background, rect, printing);
        return;
    }
    painter.fillRect(rect, background);
    if (cell && cell->text != kBlank)
        DrawText(painter, cell->text, AlignmentOf(column), ToQColor(coloured ? colours->text : m_textColor, palette()),
                 rect, printing);
}

void TZebGrid::DrawHeaderCell(QPainter& painter, int column, const QRect& rect, bool printing) const
{
    painter.fillRect(rect, ToQColor(m_fixedColor, palette()));
    const QString& text = column < 0 ? kBlank : m_headerTexts[std::size_t(column)];
    if (text != kBlank)
        DrawText(painter, text, AlignmentOf(column), ToQColor(m_headerFontColor, palette()), rect, printing);
    if (m_ctl3D)
        DrawRaisedFrame(painter, rect);
}

// On screen the same texts come again and again ("-----", lap numbers): their widths are kept.
int TZebGrid::TextWidth(const QFontMetrics& metrics, const QString& text, bool printing) const
{
    if (printing)
        return metrics.horizontalAdvance(text);
    const auto found = m_textWidths.constFind(text);
    if (found != m_textWidths.constEnd())
        return *found;
    if (m_textWidths.size() >= kMaxTextWidths)
        m_textWidths.clear();
    return *m_textWidths.insert(text, metrics.horizontalAdvance(text));
}

void TZebGrid::DrawText(QPainter& painter, const QString& text, std::uint8_t alignment, const QColor& color,
                        const QRect& rect, bool printing) const
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = TextWidth(metrics, text, printing);
    const int left = TextLeft(alignment, rect, width);
    const int top = rect.top() + kTextInset;
    painter.setPen(color);
    // Clipping costs more than the text itself; only a text that does not fit needs it.
    const bool fits = left >= rect.left() && left + width <= rect.x() + rect.width() &&
                      top + metrics.height() <= rect.y() + rect.height();
    if (fits) {
        painter.drawText(left, top + metrics.ascent(), text);
        return;
    }
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.drawText(left, top + metrics.ascent(), text);
    painter.restore();
}

void TZebGrid::DrawRaisedFrame(QPainter& painter, const QRect& rect) const
{
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();
    painter.setPen(ToQColor(kClBtnShadow, palette()));
    painter.drawLine(left, bottom - 1, right - 1, bottom - 1);
    painter.drawLine(right - 1, bottom - 1, right - 1, top);
    painter.setPen(QColor(Qt::white));
    painter.drawLine(right - 1, top, left, top);
    painter.drawLine(left, top, left, bottom - 1);
}

void TZebGrid::DrawPictureCell(QPainter& painter, const TPicture& picture, const QColor& background, const QRect& rect,
                               bool vector) const
{
    painter.fillRect(rect, background);
    const int margin = m_graphicMargin;
    const QRect inner(rect.left() + margin, rect.top() + margin, rect.width() - 2 * margin - 1,
                      rect.height() - 2 * margin - 1);
    if (inner.width() <= 0 || inner.height() <= 0 || picture.IsEmpty())
        return;
    if (vector) {
        picture.Draw(painter, inner);
        return;
    }
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    painter.drawPixmap(inner.topLeft(), WorkBitmap(picture, inner.size(), background, ratio));
}

QPixmap TZebGrid::WorkBitmap(const TPicture& picture, QSize size, const QColor& background, qreal ratio) const
{
    const QString key = QStringLiteral("%1/%2x%3/%4/%5")
                            .arg(picture.Serial())
                            .arg(size.width())
                            .arg(size.height())
                            .arg(background.rgba())
                            .arg(ratio);
    const auto found = m_workBitmaps.constFind(key);
    if (found != m_workBitmaps.constEnd())
        return *found;
    QPixmap bitmap(size * ratio);
    bitmap.setDevicePixelRatio(ratio);
    bitmap.fill(background);
    QPainter painter(&bitmap);
    picture.Draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    if (m_workBitmaps.size() >= kMaxWorkBitmaps)
        m_workBitmaps.clear();
    m_workBitmaps.insert(key, bitmap);
    return bitmap;
}

} // namespace kav
