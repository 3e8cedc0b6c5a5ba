#pragma once

#include "picture.h"

#include <QIcon>
#include <QString>

namespace kav {

// The pictures built into the program (status pictures, flags, maker logo), by file name, for
// example "red_flag.svg". Empty when there is no such picture.
Picture resourcePicture(const QString& name);

// The program's own icon for the title bars: the maker logo.
QIcon programIcon();

} // namespace kav
