#include "zeb_cell_delegate.h"

#include "zeb_grid.h"

#include <QPainter>

namespace kav {

TZebCellDelegate::TZebCellDelegate(TZebGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

void TZebCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    m_grid.DrawColumnCell(*painter, index.column(), index.row() + 1, option.rect);
    painter->restore();
}

} // namespace kav
