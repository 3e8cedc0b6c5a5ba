#pragma once

#include <QStyledItemDelegate>

namespace kav {

class ResultsGrid;

// Hands every data cell to the grid's own painting; selection and focus are not shown.
class ResultsCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ResultsCellDelegate(ResultsGrid& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    ResultsGrid& m_grid;
};

} // namespace kav
