#pragma once

#include "zeb_color.h"

#include <QAbstractTableModel>
#include <QString>
#include <optional>
#include <vector>

namespace kav {

// One grid cell: its text and, once written or coloured, its attributes.
struct TZebCell {
    QString Text;
    std::optional<TZebColor> Record;
};

// The cell store behind a TZebGrid, column by column so that a moved column carries its cells. Grid row
// 0 is the header row; the view's rows are the data rows 1.. of the grid.
class TZebGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TZebGridModel(QObject* parent = nullptr);

    int ColCount() const { return static_cast<int>(m_columns.size()); }
    int RowCount() const { return m_rowCount; }
    void Resize(int colCount, int rowCount);
    void MoveColumn(int from, int to);

    bool Contains(int col, int row) const;
    TZebCell& Cell(int col, int row) { return m_columns[std::size_t(col)][std::size_t(row)]; }
    const TZebCell& Cell(int col, int row) const { return m_columns[std::size_t(col)][std::size_t(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void ResizeRows(int rowCount);
    void ResizeColumns(int colCount);

    std::vector<std::vector<TZebCell>> m_columns;
    int m_rowCount = 1;
};

} // namespace kav
