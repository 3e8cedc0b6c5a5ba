#pragma once

#include "zeb_color.h"

#include <QHash>
#include <QPixmap>
#include <QTableView>
#include <cstdint>
#include <utility>
#include <vector>

namespace kav {

class TPicture;
class TZebGridModel;
class TZebHeader;
struct TZebCell;

// The results grid: text cells under one fixed header row, each cell with its own text colour,
// background, alignment or a picture stretched into it. Columns are sized and moved by dragging the
// header; a moved column takes its cells along. Only visible cells are painted.
class TZebGrid : public QTableView {
    Q_OBJECT
public:
    explicit TZebGrid(QWidget* parent = nullptr);
    ~TZebGrid() override;

    static constexpr int kFixedRows = 1;
    static constexpr int kFixedCols = 0;

    int ColCount() const;
    void SetColCount(int count);
    int RowCount() const; // the header row included
    void SetRowCount(int count);
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);
    void SetAllRowHeights(int height);
    int TopRow() const; // first visible data row, counted from 1
    void SetTopRow(int row);
    bool ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(bool on);
    int GridLineWidth() const { return showGrid() ? 1 : 0; }
    void SetGridLineWidth(int width) { setShowGrid(width > 0); }

    TColorValue Color() const { return m_color; }
    void SetColor(TColorValue color);
    TColorValue GridFontColor() const { return m_fontColor; }
    void SetGridFontColor(TColorValue color);
    TColorValue FixedColor() const { return m_fixedColor; }
    void SetFixedColor(TColorValue color);
    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool on);
    int GraphicMargin() const { return m_graphicMargin; }
    void SetGraphicMargin(int margin) { m_graphicMargin = margin; }

    void SetCell(int col, int row, const QString& text);
    QString GetCell(int col, int row) const;
    void SetFontColor(int col, int row, TColorValue color);
    void SetRowFontColor(int row, TColorValue color);
    void SetColFontColor(int col, TColorValue color);
    void SetBgColor(int col, int row, TColorValue color);
    void SetRowBgColor(int row, TColorValue color);
    void SetColBgColor(int col, TColorValue color);
    void SetGraphic(int col, int row, const TPicture* picture);
    const TPicture* GetGraphic(int col, int row) const;
    void SetAlignment(int col, int row, std::uint8_t alignment);
    std::uint8_t GetAlignment(int col, int row) const;
    void SetColAlignment(int col, std::uint8_t alignment);
    std::uint8_t GetColAlignment(int col) const { return GetAlignment(col, 0); }
    void ClearCell(int col, int row);
    void ClearRow(int row);
    void ClearAll();
    const TZebColor* CellRecord(int col, int row) const;

    // Paints one cell; used by the view, the header and printing. For printing, a cell picture is
    // drawn straight onto the device instead of through the cached bitmap, and the font keeps its
    // screen size in pixels whatever the device's resolution.
    void DrawCell(QPainter& painter, int col, int row, const QRect& rect, bool printing = false) const;
    // Where a text of the given width starts in its cell.
    static int TextLeft(std::uint8_t alignment, const QRect& cell, int textWidth);
    bool IsFixedCell(int col, int row) const { return row < kFixedRows || col < kFixedCols; }

signals:
    // After the operator dragged a column to another place; cells and widths have moved along.
    void ColumnMoved(int from, int to);

private:
    TZebCell* Find(int col, int row);
    const TZebCell* Find(int col, int row) const;
    void StoreText(TZebCell& cell, const QString& text);
    void MakeRecord(int col, int row, TColorValue bgColor, std::uint8_t alignment, const TPicture* graphic);
    void RepaintCell(int col, int row);
    void FlushRepaints();
    void OnSectionMoved(int logical, int from, int to);
    void DrawTextCell(QPainter& painter, int col, int row, const QRect& rect) const;
    void DrawPictureCell(QPainter& painter, const TZebColor& record, const QRect& rect, bool vector) const;
    void DrawText(QPainter& painter, const QString& text, std::uint8_t alignment, const QColor& color,
                  const QRect& rect) const;
    void DrawRaisedFrame(QPainter& painter, const QRect& rect) const;
    QPixmap WorkBitmap(const TPicture& picture, QSize size, const QColor& background, qreal ratio) const;

    TZebGridModel* m_model;
    TZebHeader* m_header;
    TColorValue m_color = kClWindow;
    TColorValue m_fontColor = kClWindowText;
    TColorValue m_fixedColor = kClBtnFace;
    bool m_ctl3D = true;
    bool m_scrollBars = true;
    bool m_restoringMove = false;
    int m_graphicMargin = 0;
    // Cells written since the last repaint request: per grid row the first and last column.
    std::vector<std::pair<int, int>> m_dirtySpans;
    std::vector<int> m_dirtyRows;
    bool m_flushPending = false;
    // Pictures composed at one size on one background, so that repainting does not render them again.
    mutable QHash<QString, QPixmap> m_workBitmaps;
};

} // namespace kav
