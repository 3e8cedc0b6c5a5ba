#pragma once

#include <vector>

namespace kav {

// The sizes of a result window shown to fit its screen: the font, row and column sizes that let a
// number of rows (and the header row) fill the screen's height, scaled down when the columns would
// otherwise run off the screen's width. Plain arithmetic, so that it can be checked for any screen.
class ScreenFit {
public:
    // Rows are this much taller than their text, as in a window that is not fitted.
    static constexpr int kRowPadding = 4;
    // Never a font smaller than this, whatever the screen and the rows.
    static constexpr int kMinimumPixelSize = 6;

    struct Input {
        int areaWidth = 0;           // pixels the table may use
        int areaHeight = 0;          // the header row included
        int rows = 1;                // data rows that should fill the height
        int basePixelSize = 0;       // the window's own font
        int baseTextHeight = 0;      // its line height
        std::vector<int> baseWidths; // the window's own column widths, from the left
    };

    struct Result {
        int pixelSize = 0;
        int rowHeight = 0; // every row, the header row too
        std::vector<int> widths;
        int rowsPerPage = 1; // data rows wholly on the screen
        bool operator==(const Result&) const = default;
    };

    static Result fit(const Input& input);

    // The first row of the next page of rows, counted from 1: a page on from the top row, the last
    // page ending at the last row, and after it the first page again.
    static int nextTopRow(int topRow, int rowsPerPage, int totalRows);

private:
    static double widthScale(const Input& input);
};

} // namespace kav
