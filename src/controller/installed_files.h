#pragma once

#include <QString>

namespace kav {

// The folder of an installed program's shared files (the user manual, the examples), with a trailing
// '/', found relative to the program's folder; empty when the program runs from its build folder.
QString installedDataDir(const QString& programDir);

// A file that comes with the program: beside the program as it is built, else in the installed shared
// folder. The path beside the program when it is in neither place.
QString findSharedFile(const QString& programDir, const QString& name);

} // namespace kav
