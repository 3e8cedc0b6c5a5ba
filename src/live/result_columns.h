#pragma once

#include "cell_attributes.h"
#include "result_window_settings.h"

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace kav {

// One of the result columns, by identifier: the one catalogue of their count, captions and alignment.
struct ColumnInfo {
    std::size_t HeaderIndex;                // its caption in the shared header texts
    std::optional<CellAlignment> Alignment; // none: the marker column keeps what its cells have
    const char* DialogCaption;              // its box in the column settings dialog
};

inline constexpr std::array<ColumnInfo, kColumnIds> kColumnCatalogue{{
    {0, kAlignCenter, "Pos"},
    {1, std::nullopt, "Marker"},
    {2, kAlignCenter, "Car"},
    {3, kAlignLeft, "First name"},
    {4, kAlignLeft, "Last name"},
    {5, kAlignLeft, "Combined name"},
    {8, kAlignLeft, "Additional data"},
    {9, kAlignCenter, "Laps"},
    {10, kAlignRight, "Total time"},
    {11, kAlignRight, "Last lap-time"},
    {12, kAlignCenter, "Best lap"},
    {13, kAlignRight, "Best lap-time"},
    {14, kAlignRight, "Last speed"},
    {15, kAlignRight, "Best speed"},
    {16, kAlignRight, "Different"},
    {6, kAlignLeft, "Class"},
    {7, kAlignLeft, "Nationality"},
    {17, kAlignCenter, "Class position"},
    {18, kAlignRight, "Class gap"},
    {19, kAlignRight, "Interval"},
    {20, kAlignRight, "Class interval"},
    {21, kAlignCenter, "In pit"},
    {22, kAlignCenter, "Pit stops"},
    {23, kAlignRight, "Last stop"},
    {24, kAlignCenter, "Laps in stint"},
}};

inline constexpr std::uint8_t kPosColumn = 0;
inline constexpr std::uint8_t kMarkerColumn = 1;
inline constexpr std::uint8_t kDiffColumn = 14;
inline constexpr std::uint8_t kClassColumn = 15;
inline constexpr std::uint8_t kClassPositionColumn = 17;
inline constexpr std::uint8_t kClassGapColumn = 18;

// The result window's caption for a window kind; empty for an unknown kind.
QString resultWindowCaption(std::uint8_t kind);
// The same kind as the column settings dialog names it.
QString columnDialogKindName(std::uint8_t kind);

} // namespace kav
