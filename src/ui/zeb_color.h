#pragma once

#include "system_colors.h"

#include <cstdint>

namespace kav {

class TPicture;

// Horizontal placement of a cell's text.
enum TCellAlignment : std::uint8_t { kAlignLeft = 0, kAlignRight = 1, kAlignCenter = 2 };

// The attributes of one grid cell that has been written or coloured. The picture belongs to the
// caller; the cell only refers to it.
struct TZebColor {
    TZebColor(TColorValue fontColor, TColorValue bgColor, std::uint8_t alignment, const TPicture* graphic)
        : Alignment(alignment), DefFontColor(fontColor), DefBgColor(bgColor), Graphic(graphic)
    {
        ResetColors();
    }

    void ResetColors()
    {
        FontColor = DefFontColor;
        BgColor = DefBgColor;
    }

    std::uint8_t Alignment = kAlignLeft;
    TColorValue FontColor = 0;
    TColorValue BgColor = 0;
    TColorValue DefFontColor = 0;
    TColorValue DefBgColor = 0;
    const TPicture* Graphic = nullptr;
};

} // namespace kav
