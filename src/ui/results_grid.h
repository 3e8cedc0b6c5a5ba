#pragma once

#include "code_lists.h"
#include "results_cell_delegate.h"

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
    ColorValue color() const { return look().background; }
    void setColor(ColorValue color);
    ColorValue textColor() const { return look().text; }
    void setTextColor(ColorValue color);
    ColorValue fixedColor() const { return look().headerBackground; }
    void setFixedColor(ColorValue color);
    ColorValue HeaderFontColor() const { return look().headerText; }
    void setHeaderFontColor(ColorValue color);
    // Every second row the model leaves uncoloured a shade apart from the others.
    bool alternateRows() const { return look().alternateRows; }
    void setAlternateRows(bool on);
    bool raisedLook() const { return look().raised; }
    void setRaisedLook(bool on);
    int graphicMargin() const { return look().graphicMargin; }
    void setGraphicMargin(int margin) { m_cells->look().graphicMargin = margin; }

    // What a place shows in a grid row: the header text in row 0, else the model's text or picture.
    QString cell(int place, int row) const;
    const Picture* graphic(int place, int row) const;
    // The name of the marker a cell shows ("green ball"), empty when none.
    QString markerName(int place, int row) const;

    // Paints one cell of a place as the screen shows it; used by printing.
    void drawCell(QPainter& painter, int place, int row, const QRect& rect, bool printing = false) const;
    // The header cell of a model column (-1: the empty column).
    void drawHeaderCell(QPainter& painter, int column, const QRect& rect, bool printing = false) const;

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
    const CellLook& look() const { return m_cells->look(); }

    ResultsModel* m_results = nullptr;
    ResultsGridHeader* m_header;
    std::array<QString, kColumnIds> m_headerTexts;
    std::vector<int> m_places{-1}; // model column by place
    bool m_empty = true;           // no model column shown
    bool m_arranging = false;      // the grid itself moves sections
    bool m_scrollBars = true;
    ResultsCellDelegate* m_cells;
};

} // namespace kav
