#pragma once

#include <QColor>
#include <QPen>

#include "race_source.h"

namespace kav {

// The colour of a class on the charts; classes beyond the palette take its colours again.
QColor classColor(int classNo);
// The pen of a car's line: its class colour in the shade of its rank within the class, bold when the
// car is followed.
QPen carPen(const CarLabel& label, int rankInClass);
// Makes a car's pen bold or not.
void markFollowed(QPen& pen, bool followed);

} // namespace kav
