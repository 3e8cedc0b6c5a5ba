#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

#include "colour_value.h"

namespace kav {

// Colour values: see colour_value.h.

inline constexpr ColorValue kSystemColorFlag = static_cast<ColorValue>(0x80000000u);
inline constexpr ColorValue kClWindow = kSystemColorFlag | 5;
inline constexpr ColorValue kClWindowText = kSystemColorFlag | 8;
inline constexpr ColorValue kClBtnFace = kSystemColorFlag | 15;
inline constexpr ColorValue kClBtnShadow = kSystemColorFlag | 16;
inline constexpr ColorValue kClBlack = 0x000000;
inline constexpr ColorValue kClWhite = 0xFFFFFF;

bool isSystemColor(ColorValue value);

// The colour to paint with; system colours come from the palette of the widget that paints.
QColor toQColor(ColorValue value, const QPalette& palette);

// An RGB colour as a colour value (never a system colour).
ColorValue fromQColor(const QColor& color);

// The background of every second row when rows are shaded: the row's background moved a little
// towards its text colour, so that the shade shows on light and dark backgrounds alike.
QColor alternateRowColor(const QColor& background, const QColor& text);

} // namespace kav
