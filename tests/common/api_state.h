#pragma once

#include <QJsonObject>
#include <QtGlobal>

namespace kav {

// The "run" object of the program's /api/state on a loopback port; empty when nothing answers.
QJsonObject apiStateRun(quint16 port);

} // namespace kav
