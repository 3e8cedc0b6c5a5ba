#pragma once

class QPagedPaintDevice;

namespace kav {

class ResultsGrid;

// Draws the header row and the data rows the grid shows onto a page as vector text, scaled to fit
// the page. Works for a printer and a PDF writer alike.
void printGrid(const ResultsGrid& grid, QPagedPaintDevice& device);

} // namespace kav
