#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "code_lists.h"
#include "window_records.h"

namespace kav {

// Window kinds, the Layout byte of a result window.
inline constexpr std::uint8_t kLayoutCompletedLap = 1;
inline constexpr std::uint8_t kLayoutPractice = 2;
inline constexpr std::uint8_t kLayoutTrackPositions = 3;
inline constexpr std::uint8_t kLayoutCurrentRace = 4;

// Column identifiers run from 0 to kColumnIds - 1 (code_lists.h); the column arrays have kColumnSlots places.
inline constexpr std::size_t kColumnSlots = 25;

// The largest number of rows a fitted window may be asked to show, and the longest page interval.
inline constexpr std::int32_t kMaxFitRows = 999;
inline constexpr std::int32_t kMaxPageSeconds = 3600;

// Identifiers by grid position, kNoCode ending the arrangement.
using ColumnOrder = std::array<std::uint8_t, kColumnSlots>;
// Grid position by identifier, kNoCode for a column not shown.
using ColumnPositions = std::array<std::uint8_t, kColumnSlots>;
// Widths in pixels by identifier.
using ColumnWidths = std::array<std::int32_t, kColumnSlots>;

// The widths a new window gives each column.
inline constexpr ColumnWidths kDefaultColWidths = {30, 18, 30,  80, 140, 160, 150, 60, 90, 90, 60, 90, 60,
                                                   60, 80, 150, 40, 60,  90,  90,  90, 40, 50, 90, 60};

ColumnOrder emptyColumnOrder();

// One result window's settings; ColPos is derived from columnOrder and never stored.
struct ResultWindowSettings {
    bool WinExist = false;
    std::uint8_t Number = 0; // 1 to 10, unique among the open windows
    std::uint8_t Layout = kNoCode;
    FontSettings Font{"System", 10, {}, 0};
    WindowPlacement WinPos;
    ColumnOrder ColRel = emptyColumnOrder();
    ColumnWidths ColWidth = kDefaultColWidths;
    ColumnPositions ColPos = emptyColumnOrder();
    bool ScrollBars = true;
    bool Sizeable = true;
    bool Grid = true;
    std::int32_t TopRow = 0; // first visible data row
    // Full screen fills the screen: FitRows rows (0: every row) fill its height, and the rows beyond
    // it are paged through every PageSeconds seconds (0: never).
    bool FitToScreen = false;
    std::int32_t FitRows = 0;
    std::int32_t PageSeconds = 0;
    // The one class the window shows, as the timing system names it; empty: every class.
    std::string ClassFilter;

    // ColPos from columnOrder; identifiers the program does not know get no position.
    void rebuildColumnPositions();
    bool operator==(const ResultWindowSettings&) const = default;
};

} // namespace kav
