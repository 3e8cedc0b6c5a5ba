#include "zeb_grid_model.h"

#include <algorithm>

namespace kav {

TZebGridModel::TZebGridModel(QObject* parent) : QAbstractTableModel(parent)
{
    m_columns.resize(1, std::vector<TZebCell>(1));
}

void TZebGridModel::Resize(int colCount, int rowCount)
{
    ResizeRows(std::max(rowCount, 1));
    ResizeColumns(std::max(colCount, 1));
}

void TZebGridModel::ResizeRows(int rowCount)
{
    if (rowCount == m_rowCount)
        return;
    // The view sees data rows only, one fewer than the grid rows.
    if (rowCount > m_rowCount)
        beginInsertRows({}, m_rowCount - 1, rowCount - 2);
    else
        beginRemoveRows({}, rowCount - 1, m_rowCount - 2);
    const bool growing = rowCount > m_rowCount;
    for (auto& column : m_columns)
        column.resize(std::size_t(rowCount));
    m_rowCount = rowCount;
    if (growing)
        endInsertRows();
    else
        endRemoveRows();
}

void TZebGridModel::ResizeColumns(int colCount)
{
    const int old = ColCount();
    if (colCount == old)
        return;
    if (colCount > old) {
        beginInsertColumns({}, old, colCount - 1);
        m_columns.resize(std::size_t(colCount), std::vector<TZebCell>(std::size_t(m_rowCount)));
        endInsertColumns();
    } else {
        beginRemoveColumns({}, colCount, old - 1);
        m_columns.resize(std::size_t(colCount));
        endRemoveColumns();
    }
}

void TZebGridModel::MoveColumn(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= ColCount() || to >= ColCount())
        return;
    const auto first = m_columns.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

bool TZebGridModel::Contains(int col, int row) const
{
    return col >= 0 && row >= 0 && col < ColCount() && row < m_rowCount;
}

int TZebGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount - 1;
}

int TZebGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColCount();
}

QVariant TZebGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !Contains(index.column(), index.row() + 1))
        return {};
    return Cell(index.column(), index.row() + 1).Text;
}

QVariant TZebGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !Contains(section, 0))
        return {};
    return Cell(section, 0).Text;
}

Qt::ItemFlags TZebGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace kav
