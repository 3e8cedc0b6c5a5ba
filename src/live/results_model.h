#pragma once

#include "result_roles.h"
#include "system_colors.h"

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <vector>

namespace kav {

// The results of one window kind: every row with all seventeen columns, whatever a window shows of
// them. Content building writes each cell once here; every result window of the kind is a view of
// it. Column 0 always holds the row number. Changes are announced by one dataChanged per turn of the
// event loop, covering everything written since the last one.
class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = kResultColumns;
    static constexpr std::int16_t kNoMarker = -1;

    struct Cell {
        QString text = QStringLiteral(" "); // never empty: an empty text is kept as one blank
        std::int16_t marker = kNoMarker;    // a marker status code shown instead of the text
    };
    // The colours content building gave a row; a row without them takes its window's colours.
    struct RowColours {
        bool set = false;
        ColorValue text = 0;
        ColorValue background = 0;
    };

    explicit ResultsModel(QObject* parent = nullptr);

    // Rows are counted from 0; writes outside the table are ignored.
    void setRowCount(int rows);
    void setText(int row, int column, const QString& text);
    // A code that shows no picture (see markers.h) leaves the cell without a marker.
    void setMarker(int row, int column, int code);
    void setRowColours(int row, ColorValue text, ColorValue background);
    // Empties the texts and forgets the colours of a row; its markers stay.
    void clearRow(int row);
    // A row becomes a copy of another model's row, each column read from the column sources name.
    void copyRow(int row, const ResultsModel& from, int fromRow, const std::array<int, kResultColumns>& sources);
    void clearAllRows();

    const Cell& cell(int row, int column) const { return m_cells[offset(row, column)]; }
    const RowColours& rowColours(int row) const { return m_rowColours[std::size_t(row)]; }
    bool contains(int row, int column) const;
    // The rows the field fills: up to the last row with a text beside its number. The rows below it
    // are the table's room to grow.
    int filledRowCount() const { return m_filledRows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void filledRowCountChanged(int rows);

private:
    static std::size_t offset(int row, int column) { return std::size_t(row) * kColumns + std::size_t(column); }
    Cell& cellAt(int row, int column) { return m_cells[offset(row, column)]; }
    void numberRow(int row);
    void markChanged(int row, int firstColumn, int lastColumn);
    void announceChanges();
    bool rowHasText(int row) const;
    void setFilledRowCount(int rows);

    std::vector<Cell> m_cells;
    std::vector<RowColours> m_rowColours;
    int m_rows = 0;
    int m_filledRows = 0;
    // What changed since the last announcement; first > last when nothing did.
    int m_firstRow = 1, m_lastRow = 0, m_firstColumn = 1, m_lastColumn = 0;
    bool m_announcePending = false;
};

} // namespace kav
