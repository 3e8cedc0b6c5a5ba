#include "results_cell_delegate.h"

#include "results_grid.h"

#include <QPainter>

namespace kav {

ResultsCellDelegate::ResultsCellDelegate(ResultsGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

void ResultsCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    m_grid.drawColumnCell(*painter, index.column(), index.row() + 1, option.rect);
    painter->restore();
}

} // namespace kav
