#include "grid_printer.h"

#include "results_grid.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <vector>

namespace kav {

namespace {

// The data rows in view: from the first visible one down to the one cut by the bottom edge.
std::vector<int> visibleRows(const ResultsGrid& grid)
{
    std::vector<int> rows{0};
    const int viewHeight = std::max(grid.viewport()->height(), 1);
    int used = 0;
    for (int row = grid.topDataRow(); row < grid.gridRowCount() && used < viewHeight; ++row) {
        rows.push_back(row);
        used += grid.gridRowHeight(row);
    }
    return rows;
}

QSize tableSize(const ResultsGrid& grid, const std::vector<int>& rows)
{
    int width = 0;
    for (int col = 0; col < grid.gridColumnCount(); ++col)
        width += grid.gridColumnWidth(col);
    int height = 0;
    for (int row : rows)
        height += grid.gridRowHeight(row);
    return {std::max(width, 1), std::max(height, 1)};
}

void drawRow(const ResultsGrid& grid, QPainter& painter, int row, int top)
{
    const int line = row == 0 ? 0 : grid.gridLineWidth();
    int left = 0;
    for (int col = 0; col < grid.gridColumnCount(); ++col) {
        const QRect cell(left, top, grid.gridColumnWidth(col) - line, grid.gridRowHeight(row) - line);
        if (cell.width() > 0 && cell.height() > 0)
            grid.drawCell(painter, col, row, cell, true);
        left += grid.gridColumnWidth(col);
    }
}

} // namespace

void printGrid(const ResultsGrid& grid, QPagedPaintDevice& device)
{
    QPainter painter(&device);
    const std::vector<int> rows = visibleRows(grid);
    const QSize table = tableSize(grid, rows);
    const QRect page = painter.viewport();
    const qreal scale = std::min(qreal(page.width()) / table.width(), qreal(page.height()) / table.height());
    painter.scale(scale, scale);
    painter.fillRect(QRect(QPoint(0, 0), table), grid.palette().color(QPalette::Mid));
    int top = 0;
    for (int row : rows) {
        drawRow(grid, painter, row, top);
        top += grid.gridRowHeight(row);
    }
}

} // namespace kav
