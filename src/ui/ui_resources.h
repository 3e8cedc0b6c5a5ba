#pragma once

#include "picture.h"

#include <QString>

namespace kav {

// The pictures built into the program (status pictures, flags, maker logo), by file name, for
// example "red_flag.svg". Empty when there is no such picture.
TPicture ResourcePicture(const QString& name);

} // namespace kav
