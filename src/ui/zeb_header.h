#pragma once

#include <QHeaderView>

namespace kav {

class TZebGrid;

// The grid's fixed header row: row 0 of the grid, painted cell by cell by the grid itself, so that
// columns are sized and moved by dragging it.
class TZebHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TZebHeader(TZebGrid& grid);

    int RowHeight() const { return m_height; }
    void SetRowHeight(int height);
    void RepaintSection(int col) { updateSection(col); }

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    TZebGrid& m_grid;
    int m_height = 18;
};

} // namespace kav
