#include "screen_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kav {

// How much larger the text may get before the columns run off the screen's width.
double ScreenFit::widthScale(const Input& input)
{
    long long total = 0;
    for (int width : input.baseWidths)
        total += std::max(width, 0);
    return total > 0 ? double(input.areaWidth) / double(total) : std::numeric_limits<double>::infinity();
}

ScreenFit::Result ScreenFit::fit(const Input& input)
{
    const int rows = std::max(input.rows, 1);
    const int basePixels = std::max(input.basePixelSize, 1);
    const int baseText = std::max(input.baseTextHeight, 1);
    const int fillingRow = std::max(input.areaHeight / (rows + 1), kRowPadding + 1);
    const double fillingScale = double(fillingRow - kRowPadding) / baseText;
    // Too wide a table is made smaller than the height allows; the rows then leave room below them.
    const double scale = std::max(std::min(fillingScale, widthScale(input)), double(kMinimumPixelSize) / basePixels);
    Result result;
    result.pixelSize = std::max(int(scale * basePixels), kMinimumPixelSize);
    result.rowHeight = scale == fillingScale ? fillingRow : int(std::ceil(scale * baseText)) + kRowPadding;
    for (int width : input.baseWidths)
        result.widths.push_back(int(std::max(width, 0) * scale));
    result.rowsPerPage = std::max(input.areaHeight / result.rowHeight - 1, 1);
    return result;
}

int ScreenFit::nextTopRow(int topRow, int rowsPerPage, int totalRows)
{
    const int top = std::max(topRow, 1);
    const int page = std::max(rowsPerPage, 1);
    if (top - 1 + page >= totalRows)
        return 1;
    return std::min(top + page, totalRows - page + 1);
}

} // namespace kav
