#include "api_state.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QTcpSocket>

#include "wait_for.h"

namespace kav {

QJsonObject getJson(quint16 port, const char* path)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write(QByteArray("GET ") + path + " HTTP/1.1\r\nHost: test\r\n\r\n");
    QByteArray answer;
    (void)waitFor(
        [&] {
            answer += socket.readAll();
            return answer.trimmed().endsWith('}') || socket.state() == QAbstractSocket::UnconnectedState;
        },
        5000);
    return QJsonDocument::fromJson(answer.mid(answer.indexOf("\r\n\r\n") + 4)).object();
}

} // namespace kav
