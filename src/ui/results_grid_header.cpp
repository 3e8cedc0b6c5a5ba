#include "results_grid_header.h"

#include "results_grid.h"

#include <QPainter>

namespace kav {

ResultsGridHeader::ResultsGridHeader(ResultsGrid& grid) : QHeaderView(Qt::Horizontal, &grid), m_grid(grid)
{
    setSectionsMovable(true);
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setMinimumSectionSize(1);
    setStretchLastSection(false);
}

void ResultsGridHeader::setGridRowHeight(int height)
{
    m_height = std::max(height, 1);
    setFixedHeight(m_height);
    updateGeometry();
}

QSize ResultsGridHeader::sizeHint() const
{
    return {QHeaderView::sizeHint().width(), m_height};
}

void ResultsGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    m_grid.drawHeaderCell(*painter, logicalIndex, rect);
    painter->restore();
}

} // namespace kav
