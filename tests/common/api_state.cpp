#include "api_state.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QTcpSocket>

namespace kav {

QJsonObject getJson(quint16 port, const char* path)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return {};
    // Closed after the answer, so that the whole body is in, however a proxy hands it on.
    socket.write(QByteArray("GET ") + path + " HTTP/1.1\r\nHost: test\r\nConnection: close\r\n\r\n");
    (void)socket.waitForDisconnected(5000);
    const QByteArray answer = socket.readAll();
    return QJsonDocument::fromJson(answer.mid(answer.indexOf("\r\n\r\n") + 4)).object();
}

} // namespace kav
