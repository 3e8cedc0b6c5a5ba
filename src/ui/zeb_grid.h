#pragma once

#include "system_colors.h"
#include "zeb_color.h"

#include <QHash>
#include <QPixmap>
#include <QTableView>
#include <array>
#include <cstdint>
#include <vector>

namespace kav {

class ResultsModel;
class TPicture;
class TZebHeader;

// The results grid: a view of a results model under one fixed header row. It shows the model's
// columns it is told to, in its own order (a column dragged to another place changes only this
// grid), with its own header texts, widths, font and colours for rows the model leaves uncoloured.
// Each cell is painted with its text colour, background and alignment, or the picture stretched
// into it. Only the rows in view are repainted when the model changes. Places count the shown
// columns from the left, from 0; grid row 0 is the header row and row r shows model row r - 1.
class TZebGrid : public QTableView {
    Q_OBJECT
public:
    explicit TZebGrid(QWidget* parent = nullptr);
    ~TZebGrid() override;

    static constexpr int kFixedRows = 1;

    void SetResults(ResultsModel* results);
    ResultsModel* Results() const { return m_results; }

    // The model columns to show, from the left; none shows one empty column.
    void SetColumns(const std::vector<std::uint8_t>& columns);
    std::vector<std::uint8_t> Columns() const;
    void SetHeaderText(std::uint8_t column, const QString& text);

    int ColCount() const { return static_cast<int>(m_places.size()); }
    // The model column at a place, -1 for the empty column shown when there is none.
    int ColumnAt(int place) const;
    int RowCount() const; // the header row included
    int ColWidth(int place) const;
    void SetColWidth(int place, int width);
    int RowHeight(int row) const;
    void SetAllRowHeights(int height);
    int TopRow() const; // first visible data row, counted from 1
    void SetTopRow(int row);
    bool ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(bool on);
    int GridLineWidth() const { return showGrid() ? 1 : 0; }
    void SetGridLineWidth(int width) { setShowGrid(width > 0); }

    // Background and text colour of the rows the model leaves uncoloured.
    TColorValue Color() const { return m_color; }
    void SetColor(TColorValue color);
    TColorValue TextColor() const { return m_textColor; }
    void SetTextColor(TColorValue color);
    TColorValue FixedColor() const { return m_fixedColor; }
    void SetFixedColor(TColorValue color);
    TColorValue HeaderFontColor() const { return m_headerFontColor; }
    void SetHeaderFontColor(TColorValue color);
    // Every second row the model leaves uncoloured a shade apart from the others.
    bool AlternateRows() const { return m_alternateRows; }
    void SetAlternateRows(bool on);
    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool on);
    int GraphicMargin() const { return m_graphicMargin; }
    void SetGraphicMargin(int margin) { m_graphicMargin = margin; }

    // What a place shows in a grid row: the header text in row 0, else the model's text or picture.
    QString GetCell(int place, int row) const;
    const TPicture* GetGraphic(int place, int row) const;

    // Paints one cell of a place; used by printing. For printing, a cell picture is drawn straight
    // onto the device instead of through the cached bitmap, and the font keeps its screen size in
    // pixels whatever the device's resolution.
    void DrawCell(QPainter& painter, int place, int row, const QRect& rect, bool printing = false) const;
    // The same for a model column (-1: the empty column); used by the cells and the header.
    void DrawColumnCell(QPainter& painter, int column, int row, const QRect& rect, bool printing = false) const;
    // Where a text of the given width starts in its cell.
    static int TextLeft(std::uint8_t alignment, const QRect& cell, int textWidth);

signals:
    // After the operator dragged a column to another place.
    void ColumnsMoved();
    // A double click anywhere on the grid: a cell, the header row or the empty area below the rows.
    void DoubleClicked();

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OnSectionMoved();
    void RefreshPlaces();
    void DrawHeaderCell(QPainter& painter, int column, const QRect& rect, bool printing) const;
    int TextWidth(const QFontMetrics& metrics, const QString& text, bool printing) const;
    void DrawText(QPainter& painter, const QString& text, std::uint8_t alignment, const QColor& color,
                  const QRect& rect, bool printing) const;
    void DrawRaisedFrame(QPainter& painter, const QRect& rect) const;
    void DrawPictureCell(QPainter& painter, const TPicture& picture, const QColor& background, const QRect& rect,
                         bool vector) const;
    QPixmap WorkBitmap(const TPicture& picture, QSize size, const QColor& background, qreal ratio) const;

    ResultsModel* m_results = nullptr;
    TZebHeader* m_header;
    std::array<QString, 17> m_headerTexts;
    std::vector<int> m_places{-1}; // model column by place
    bool m_empty = true;           // no model column shown
    bool m_arranging = false;      // the grid itself moves sections
    TColorValue m_color = kClWindow;
    TColorValue m_textColor = kClBlack;
    TColorValue m_fixedColor = kClBtnFace;
    TColorValue m_headerFontColor = kClBlack;
    bool m_ctl3D = true;
    bool m_alternateRows = false;
    bool m_scrollBars = true;
    int m_graphicMargin = 0;
    // Pictures composed at one size on one background, so that repainting does not render them again.
    mutable QHash<QString, QPixmap> m_workBitmaps;
    mutable QHash<QString, int> m_textWidths; // in the grid's font
};

} // namespace kav
