#include "grid_printer.h"

#include "zeb_grid.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <vector>

namespace kav {

namespace {

// The data rows in view: from the first visible one down to the one cut by the bottom edge.
std::vector<int> VisibleRows(const TZebGrid& grid)
{
    std::vector<int> rows{0};
    const int viewHeight = std::max(grid.viewport()->height(), 1);
    int used = 0;
    for (int row = grid.TopRow(); row < grid.RowCount() && used < viewHeight; ++row) {
        rows.push_back(row);
        used += grid.RowHeight(row);
    }
    return rows;
}

QSize TableSize(const TZebGrid& grid, const std::vector<int>& rows)
{
    int width = 0;
    for (int col = 0; col < grid.ColCount(); ++col)
        width += grid.ColWidth(col);
    int height = 0;
    for (int row : rows)
        height += grid.RowHeight(row);
    return {std::max(width, 1), std::max(height, 1)};
}

void DrawRow(const TZebGrid& grid, QPainter& painter, int row, int top)
{
    const int line = row == 0 ? 0 : grid.GridLineWidth();
    int left = 0;
    for (int col = 0; col < grid.ColCount(); ++col) {
        const QRect cell(left, top, grid.ColWidth(col) - line, grid.RowHeight(row) - line);
        if (cell.width() > 0 && cell.height() > 0)
            grid.DrawCell(painter, col, row, cell, true);
        left += grid.ColWidth(col);
    }
}

} // namespace

void PrintGrid(const TZebGrid& grid, QPagedPaintDevice& device)
{
    QPainter painter(&device);
    const std::vector<int> rows = VisibleRows(grid);
    const QSize table = TableSize(grid, rows);
    const QRect page = painter.viewport();
    const qreal scale = std::min(qreal(page.width()) / table.width(), qreal(page.height()) / table.height());
    painter.scale(scale, scale);
    painter.fillRect(QRect(QPoint(0, 0), table), grid.palette().color(QPalette::Mid));
    int top = 0;
    for (int row : rows) {
        DrawRow(grid, painter, row, top);
        top += grid.RowHeight(row);
    }
}

} // namespace kav
