#pragma once

#include "cell_attributes.h"
#include "code_lists.h"
#include "system_colors.h"

#include <QHash>
#include <QPixmap>
#include <QTableView>
#include <array>
#include <cstdint>
#include <vector>

namespace kav {

class ResultsModel;
class Picture;
class ResultsGridHeader;

// The results grid: a view of a results model under one fixed header row. It shows the model's
// columns it is told to, in its own order (a column dragged to another place changes only this
// grid), with its own header texts, widths, font and colours for rows the model leaves uncoloured.
// Each cell is painted with its text colour, background and alignment, or the picture stretched
// into it. Only the rows in view are repainted when the model changes. Places count the shown
// columns from the left, from 0; grid row 0 is the header row and row r shows model row r - 1.
class ResultsGrid : public QTableView {
    Q_OBJECT
public:
    explicit ResultsGrid(QWidget* parent = nullptr);
    ~ResultsGrid() override;

    static constexpr int kFixedRows = 1;

    void setResults(ResultsModel* results);
    ResultsModel* Results() const { return m_results; }

    // The model columns to show, from the left; none shows one empty column.
    void setColumns(const std::vector<std::uint8_t>& columns);
    std::vector<std::uint8_t> columnOrder() const;
    void setHeaderText(std::uint8_t column, const QString& text);

    int gridColumnCount() const { return static_cast<int>(m_places.size()); }
    // The model column at a place, -1 for the empty column shown when there is none.
    int columnAt(int place) const;
    int gridRowCount() const; // the header row included
    int gridColumnWidth(int place) const;
    void setGridColumnWidth(int place, int width);
    int gridRowHeight(int row) const;
    void setAllGridRowHeights(int height);
    int topDataRow() const; // first visible data row, counted from 1
    void setTopDataRow(int row);
    bool scrollBars() const { return m_scrollBars; }
    void setScrollBars(bool on);
    int gridLineWidth() const { return showGrid() ? 1 : 0; }
    void setGridLineWidth(int width) { setShowGrid(width > 0); }

    // Background and text colour of the rows the model leaves uncoloured.
    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);
    ColorValue textColor() const { return m_textColor; }
    void setTextColor(ColorValue color);
    ColorValue fixedColor() const { return m_fixedColor; }
    void setFixedColor(ColorValue color);
    ColorValue HeaderFontColor() const { return m_headerFontColor; }
    void setHeaderFontColor(ColorValue color);
    // Every second row the model leaves uncoloured a shade apart from the others.
    bool alternateRows() const { return m_alternateRows; }
    void setAlternateRows(bool on);
    bool raisedLook() const { return m_ctl3D; }
    void setRaisedLook(bool on);
    int graphicMargin() const { return m_graphicMargin; }
    void setGraphicMargin(int margin) { m_graphicMargin = margin; }

    // What a place shows in a grid row: the header text in row 0, else the model's text or picture.
    QString cell(int place, int row) const;
    const Picture* graphic(int place, int row) const;
    // The name of the marker a cell shows ("green ball"), empty when none.
    QString markerName(int place, int row) const;

    // Paints one cell of a place; used by printing. For printing, a cell picture is drawn straight
    // onto the device instead of through the cached bitmap, and the font keeps its screen size in
    // pixels whatever the device's resolution.
    void drawCell(QPainter& painter, int place, int row, const QRect& rect, bool printing = false) const;
    // The same for a model column (-1: the empty column); used by the cells and the header.
    void drawColumnCell(QPainter& painter, int column, int row, const QRect& rect, bool printing = false) const;
    // Where a text of the given width starts in its cell.
    static int textLeft(std::uint8_t alignment, const QRect& cell, int textWidth);

signals:
    // After the operator dragged a column to another place.
    void columnOrderChanged();
    // A double click anywhere on the grid: a cell, the header row or the empty area below the rows.
    void columnSettingsWanted();

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void onSectionMoved();
    void refreshPlaces();
    void drawHeaderCell(QPainter& painter, int column, const QRect& rect, bool printing) const;
    int textWidth(const QFontMetrics& metrics, const QString& text, bool printing) const;
    void drawCellText(QPainter& painter, const QString& text, std::uint8_t alignment, const QColor& color,
                      const QRect& rect, bool printing) const;
    void drawRaisedFrame(QPainter& painter, const QRect& rect) const;
    void drawPictureCell(QPainter& painter, const Picture& picture, const QColor& background, const QRect& rect,
                         bool vector) const;
    QPixmap workBitmap(const Picture& picture, QSize size, const QColor& background, qreal ratio) const;

    ResultsModel* m_results = nullptr;
    ResultsGridHeader* m_header;
    std::array<QString, kColumnIds> m_headerTexts;
    std::vector<int> m_places{-1}; // model column by place
    bool m_empty = true;           // no model column shown
    bool m_arranging = false;      // the grid itself moves sections
    ColorValue m_color = kClWindow;
    ColorValue m_textColor = kClBlack;
    ColorValue m_fixedColor = kClBtnFace;
    ColorValue m_headerFontColor = kClBlack;
    bool m_ctl3D = true;
    bool m_alternateRows = false;
    bool m_scrollBars = true;
    int m_graphicMargin = 0;
    // Pictures composed at one size on one background, so that repainting does not render them again.
    mutable QHash<QString, QPixmap> m_workBitmaps;
    mutable QHash<QString, int> m_textWidths; // in the grid's font
};

} // namespace kav
