#include "api_state.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QTcpSocket>

#include "wait_for.h"

namespace kav {

QJsonObject apiStateRun(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write("GET /api/state HTTP/1.1\r\nHost: test\r\n\r\n");
    QByteArray answer;
    (void)waitFor(
        [&] {
            answer += socket.readAll();
            return answer.endsWith('}') || socket.state() == QAbstractSocket::UnconnectedState;
        },
        5000);
    return QJsonDocument::fromJson(answer.mid(answer.indexOf("\r\n\r\n") + 4)).object()["run"].toObject();
}

} // namespace kav
