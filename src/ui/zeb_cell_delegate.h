#pragma once

#include <QStyledItemDelegate>

namespace kav {

class TZebGrid;

// Hands every data cell to the grid's own painting; selection and focus are not shown.
class TZebCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TZebCellDelegate(TZebGrid& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TZebGrid& m_grid;
};

} // namespace kav
