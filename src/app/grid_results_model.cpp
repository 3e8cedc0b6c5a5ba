#include "grid_results_model.h"

#include <QApplication>

#include "controller.h"
#include "dump_writer.h"
#include "result_roles.h"
#include "zeb_grid.h"

namespace kav {

GridResultsModel::GridResultsModel(TController& controller, std::uint8_t kind, QObject* parent)
    : QAbstractTableModel(parent), m_controller(controller), m_kind(kind)
{
    refresh();
}

int GridResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int GridResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kResultColumns;
}

QVariant GridResultsModel::data(const QModelIndex& index, int role) const
{
    if (!m_window || !index.isValid() || index.row() >= rowsOf(m_window))
        return {};
    const TZebGrid& grid = m_window->Grid();
    const std::uint8_t place = m_window->Record().ColPos[static_cast<std::size_t>(index.column())];
    const int row = index.row() + TZebGrid::kFixedRows;
    const int col = place == kNoCode ? 0 : place;
    const TZebColor* record = grid.CellRecord(col, row);
    switch (role) {
    case Qt::DisplayRole: return place == kNoCode || grid.GetGraphic(col, row) ? QString() : grid.GetCell(col, row);
    case kMarkerNameRole:
        return place == kNoCode ? QString() : PictureName(grid.GetGraphic(col, row), m_controller.Pictures);
    case Qt::ForegroundRole: return record ? ToQColor(record->FontColor, QApplication::palette()) : QVariant();
    case Qt::BackgroundRole: return record ? ToQColor(record->BgColor, QApplication::palette()) : QVariant();
    case Qt::TextAlignmentRole: {
        const std::uint8_t alignment = grid.GetAlignment(col, row);
        return static_cast<int>(alignment == kAlignRight    ? Qt::AlignRight | Qt::AlignVCenter
                                : alignment == kAlignCenter ? Qt::AlignHCenter | Qt::AlignVCenter
                                                            : Qt::AlignLeft | Qt::AlignVCenter);
    }
    default: return {};
    }
}

void GridResultsModel::refresh()
{
    TFResults* window = firstWindow();
    if (window != m_window || rowsOf(window) != m_rows) {
        beginResetModel();
        m_window = window;
        m_rows = rowsOf(window);
        endResetModel();
    } else if (m_rows > 0) {
        emit dataChanged(index(0, 0), index(m_rows - 1, kResultColumns - 1));
    }
}

TFResults* GridResultsModel::firstWindow() const
{
    TFResults* first = nullptr;
    m_controller.Windows.ForKind(m_kind, [&first](TFResults& window) {
        if (!first || window.Record().Number < first->Record().Number)
            first = &window;
    });
    return first;
}

int GridResultsModel::rowsOf(const TFResults* window)
{
    return window ? std::max(window->Grid().RowCount() - TZebGrid::kFixedRows, 0) : 0;
}

} // namespace kav
