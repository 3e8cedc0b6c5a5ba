#include "zeb_grid.h"

#include "picture.h"
#include "zeb_cell_delegate.h"
#include "zeb_grid_model.h"
#include "zeb_header.h"

#include <QFontInfo>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <vector>

namespace kav {

namespace {

constexpr int kDefaultColWidth = 64;
constexpr int kDefaultRowHeight = 24;
constexpr int kTextInset = 2;
constexpr qsizetype kMaxWorkBitmaps = 512;

} // namespace

TZebGrid::TZebGrid(QWidget* parent)
    : QTableView(parent), m_model(new TZebGridModel(this)), m_header(new TZebHeader(*this))
{
    setHorizontalHeader(m_header);
    setModel(m_model);
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
    m_model->Resize(1, 2);
    connect(m_header, &QHeaderView::sectionMoved, this, &TZebGrid::OnSectionMoved);
}

TZebGrid::~TZebGrid() = default;

int TZebGrid::ColCount() const
{
    return m_model->ColCount();
}

void TZebGrid::SetColCount(int count)
{
    m_model->Resize(count, RowCount());
}

int TZebGrid::RowCount() const
{
    return m_model->RowCount();
}

void TZebGrid::SetRowCount(int count)
{
    m_model->Resize(ColCount(), count);
}

int TZebGrid::ColWidth(int col) const
{
    return m_header->sectionSize(col);
}

void TZebGrid::SetColWidth(int col, int width)
{
    if (col >= 0 && col < ColCount())
        m_header->resizeSection(col, std::max(width, 0));
}

int TZebGrid::RowHeight(int row) const
{
    return row == 0 ? m_header->RowHeight() : verticalHeader()->sectionSize(row - 1);
}

void TZebGrid::SetRowHeight(int row, int height)
{
    if (row == 0) {
        m_header->SetRowHeight(height);
        updateGeometries();
    } else if (row > 0 && row < RowCount()) {
        verticalHeader()->resizeSection(row - 1, std::max(height, 1));
    }
}

void TZebGrid::SetAllRowHeights(int height)
{
    verticalHeader()->setDefaultSectionSize(std::max(height, 1));
    SetRowHeight(0, height);
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

void TZebGrid::SetGridFontColor(TColorValue color)
{
    m_fontColor = color;
    viewport()->update();
}

void TZebGrid::SetFixedColor(TColorValue color)
{
    m_fixedColor = color;
    m_header->viewport()->update();
}

void TZebGrid::SetCtl3D(bool on)
{
    m_ctl3D = on;
    m_header->viewport()->update();
}

TZebCell* TZebGrid::Find(int col, int row)
{
    return m_model->Contains(col, row) ? &m_model->Cell(col, row) : nullptr;
}

const TZebCell* TZebGrid::Find(int col, int row) const
{
    return m_model->Contains(col, row) ? &m_model->Cell(col, row) : nullptr;
}

const TZebColor* TZebGrid::CellRecord(int col, int row) const
{
    const TZebCell* cell = Find(col, row);
    return cell && cell->Record ? &*cell->Record : nullptr;
}

void TZebGrid::StoreText(TZebCell& cell, const QString& text)
{
    // A cell that carries a record always carries text.
    cell.Text = text.isEmpty() ? QStringLiteral(" ") : text;
}

void TZebGrid::MakeRecord(int col, int row, TColorValue bgColor, std::uint8_t alignment, const TPicture* graphic)
{
    m_model->Cell(col, row).Record.emplace(m_fontColor, bgColor, alignment, graphic);
}

void TZebGrid::RepaintCell(int col, int row)
{
    if (row == 0) {
        m_header->RepaintSection(col);
        return;
    }
    if (!isVisible())
        return; // showing paints everything anyway
    // A burst of writes (a whole refill) asks for one repaint of the cells it touched, at the next
    // turn of the event loop, instead of one per cell.
    if (m_dirtySpans.size() < std::size_t(RowCount()))
        m_dirtySpans.resize(std::size_t(RowCount()), {1, 0});
    auto& span = m_dirtySpans[std::size_t(row)];
    if (span.first > span.second) {
        span = {col, col};
        m_dirtyRows.push_back(row);
    } else {
        span = {std::min(span.first, col), std::max(span.second, col)};
    }
    if (!m_flushPending) {
        m_flushPending = true;
        QMetaObject::invokeMethod(this, &TZebGrid::FlushRepaints, Qt::QueuedConnection);
    }
}

void TZebGrid::FlushRepaints()
{
    m_flushPending = false;
    const int first = rowAt(0);
    int last = rowAt(viewport()->height() - 1);
    if (last < 0)
        last = m_model->rowCount() - 1;
    QRegion region;
    for (int row : m_dirtyRows) {
        auto& span = m_dirtySpans[std::size_t(row)];
        const int dataRow = row - 1;
        if (first >= 0 && dataRow >= first && dataRow <= last && span.second < ColCount())
            region += visualRect(m_model->index(dataRow, span.first))
                          .united(visualRect(m_model->index(dataRow, span.second)));
        span = {1, 0};
    }
    m_dirtyRows.clear();
    if (!region.isEmpty())
        viewport()->update(region);
}

void TZebGrid::SetCell(int col, int row, const QString& text)
{
    TZebCell* cell = Find(col, row);
    if (!cell)
        return;
    const QString old = cell->Text;
    StoreText(*cell, text);
    bool changed = cell->Text != old;
    if (!cell->Record) {
        const TZebColor* header = row > 0 ? CellRecord(col, 0) : nullptr;
        MakeRecord(col, row, m_color, header ? header->Alignment : std::uint8_t{kAlignLeft}, nullptr);
        changed = true;
    }
    if (changed)
        RepaintCell(col, row);
}

QString TZebGrid::GetCell(int col, int row) const
{
    const TZebCell* cell = Find(col, row);
    return cell ? cell->Text : QString();
}

void TZebGrid::SetFontColor(int col, int row, TColorValue color)
{
    TZebCell* cell = Find(col, row);
    if (!cell || !cell->Record || cell->Record->FontColor == color)
        return;
    cell->Record->FontColor = color;
    RepaintCell(col, row);
}

void TZebGrid::SetRowFontColor(int row, TColorValue color)
{
    for (int col = 0; col < ColCount(); ++col)
        SetFontColor(col, row, color);
}

void TZebGrid::SetColFontColor(int col, TColorValue color)
{
    for (int row = 0; row < RowCount(); ++row)
        SetFontColor(col, row, color);
}

void TZebGrid::SetBgColor(int col, int row, TColorValue color)
{
    TZebCell* cell = Find(col, row);
    if (!cell)
        return;
    if (!cell->Record) {
        MakeRecord(col, row, color, kAlignLeft, nullptr);
        const QString text = cell->Text;
        SetCell(col, row, text);
        RepaintCell(col, row);
    } else if (cell->Record->BgColor != color) {
        cell->Record->BgColor = color;
        RepaintCell(col, row);
    }
}

void TZebGrid::SetRowBgColor(int row, TColorValue color)
{
    for (int col = 0; col < ColCount(); ++col)
        SetBgColor(col, row, color);
}

void TZebGrid::SetColBgColor(int col, TColorValue color)
{
    for (int row = 0; row < RowCount(); ++row)
        SetBgColor(col, row, color);
}

void TZebGrid::SetGraphic(int col, int row, const TPicture* picture)
{
    TZebCell* cell = Find(col, row);
    if (!cell)
        return;
    if (cell->Record) {
        cell->Record->Graphic = picture;
    } else {
        if (cell->Text.isEmpty())
            cell->Text = QStringLiteral(" ");
        MakeRecord(col, row, kClWindow, kAlignLeft, picture);
    }
    RepaintCell(col, row);
}

const TPicture* TZebGrid::GetGraphic(int col, int row) const
{
    const TZebColor* record = CellRecord(col, row);
    return record ? record->Graphic : nullptr;
}

void TZebGrid::SetAlignment(int col, int row, std::uint8_t alignment)
{
    TZebCell* cell = Find(col, row);
    if (!cell)
        return;
    if (cell->Record) {
        cell->Record->Alignment = alignment;
        RepaintCell(col, row);
        return;
    }
    // Repainting writes the text again, which gives the cell a record with its header's alignment:
    // so a column's alignment reaches cells that were never written.
    const QString text = cell->Text;
    SetCell(col, row, text);
}

std::uint8_t TZebGrid::GetAlignment(int col, int row) const
{
    const TZebColor* record = CellRecord(col, row);
    return record ? record->Alignment : std::uint8_t{kAlignLeft};
}

void TZebGrid::SetColAlignment(int col, std::uint8_t alignment)
{
    for (int row = 0; row < RowCount(); ++row)
        SetAlignment(col, row, alignment);
}

void TZebGrid::ClearCell(int col, int row)
{
    if (CellRecord(col, row) && !IsFixedCell(col, row)) {
        SetFontColor(col, row, m_fontColor);
        SetBgColor(col, row, m_color);
    }
    SetCell(col, row, QString());
}

void TZebGrid::ClearRow(int row)
{
    for (int col = 0; col < ColCount(); ++col)
        ClearCell(col, row);
}

void TZebGrid::ClearAll()
{
    for (int col = 0; col < ColCount(); ++col)
        for (int row = 0; row < RowCount(); ++row)
            ClearCell(col, row);
}

void TZebGrid::OnSectionMoved(int /*logical*/, int from, int to)
{
    if (m_restoringMove)
        return;
    // Grid columns are numbered by place: the header goes back to its plain order and the cells and
    // widths move instead.
    std::vector<int> widths;
    for (int col = 0; col < ColCount(); ++col)
        widths.push_back(m_header->sectionSize(col));
    m_restoringMove = true;
    m_header->moveSection(to, from);
    m_restoringMove = false;
    m_model->MoveColumn(from, to);
    const auto first = widths.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    for (int col = 0; col < ColCount(); ++col)
        m_header->resizeSection(col, widths[std::size_t(col)]);
    viewport()->update();
    m_header->viewport()->update();
    emit ColumnMoved(from, to);
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

void TZebGrid::DrawCell(QPainter& painter, int col, int row, const QRect& rect, bool printing) const
{
    const TZebCell* cell = Find(col, row);
    if (!cell)
        return;
    QFont cellFont = font();
    if (printing) // a printer's resolution is not the screen's: keep the size the screen shows
        cellFont.setPixelSize(QFontInfo(font()).pixelSize());
    painter.setFont(cellFont);
    if (cell->Record && cell->Record->Graphic)
        DrawPictureCell(painter, *cell->Record, rect, printing);
    else
        DrawTextCell(painter, col, row, rect);
}

void TZebGrid::DrawTextCell(QPainter& painter, int col, int row, const QRect& rect) const
{
    const TZebCell& cell = m_model->Cell(col, row);
    TColorValue textColor = cell.Record ? cell.Record->FontColor : m_fontColor;
    TColorValue brush = cell.Record ? cell.Record->BgColor : m_color;
    if (IsFixedCell(col, row))
        brush = m_fixedColor;
    const std::uint8_t alignment = cell.Record ? cell.Record->Alignment : std::uint8_t{kAlignLeft};
    painter.fillRect(rect, ToQColor(brush, palette()));
    if (cell.Text != QLatin1String(" "))
        DrawText(painter, cell.Text, alignment, ToQColor(textColor, palette()), rect);
    if (IsFixedCell(col, row) && m_ctl3D)
        DrawRaisedFrame(painter, rect);
}

void TZebGrid::DrawText(QPainter& painter, const QString& text, std::uint8_t alignment, const QColor& color,
                        const QRect& rect) const
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = metrics.horizontalAdvance(text);
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

void TZebGrid::DrawPictureCell(QPainter& painter, const TZebColor& record, const QRect& rect, bool vector) const
{
    const QColor background = ToQColor(record.BgColor, palette());
    painter.fillRect(rect, background);
    const int margin = m_graphicMargin;
    const QRect inner(rect.left() + margin, rect.top() + margin, rect.width() - 2 * margin - 1,
                      rect.height() - 2 * margin - 1);
    if (inner.width() <= 0 || inner.height() <= 0 || record.Graphic->IsEmpty())
        return;
    if (vector) {
        record.Graphic->Draw(painter, inner);
        return;
    }
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    painter.drawPixmap(inner.topLeft(), WorkBitmap(*record.Graphic, inner.size(), background, ratio));
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
