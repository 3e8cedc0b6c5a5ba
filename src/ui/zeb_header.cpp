#include "zeb_header.h"

#include "zeb_grid.h"

#include <QPainter>

namespace kav {

TZebHeader::TZebHeader(TZebGrid& grid) : QHeaderView(Qt::Horizontal, &grid), m_grid(grid)
{
    setSectionsMovable(true);
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setMinimumSectionSize(1);
    setStretchLastSection(false);
}

void TZebHeader::SetRowHeight(int height)
{
    m_height = std::max(height, 1);
    setFixedHeight(m_height);
    updateGeometry();
}

QSize TZebHeader::sizeHint() const
{
    return {QHeaderView::sizeHint().width(), m_height};
}

void TZebHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    m_grid.DrawColumnCell(*painter, logicalIndex, 0, rect);
    painter->restore();
}

} // namespace kav
