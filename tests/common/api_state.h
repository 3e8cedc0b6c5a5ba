#pragma once

#include <QJsonObject>
#include <QtGlobal>

namespace kav {

// The JSON object a GET of path answers on a loopback port; empty when nothing answers.
QJsonObject getJson(quint16 port, const char* path);
// The "run" object of the program's /api/state.
inline QJsonObject apiStateRun(quint16 port)
{
    return getJson(port, "/api/state")["run"].toObject();
}

} // namespace kav
