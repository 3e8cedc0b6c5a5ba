#pragma once

#include <QHeaderView>

namespace kav {

class ResultsGrid;

// The grid's fixed header row: row 0 of the grid, painted cell by cell by the grid itself, so that
// columns are sized and moved by dragging it.
class ResultsGridHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit ResultsGridHeader(ResultsGrid& grid);

    int gridRowHeight() const { return m_height; }
    void setGridRowHeight(int height);
    void repaintSection(int col) { updateSection(col); }

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    ResultsGrid& m_grid;
    int m_height = 18;
};

} // namespace kav
