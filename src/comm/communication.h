#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace kav {

// A channel that receives the feed: the serial port, the TCP client connection or the MQTT feed. Its
// signals come on the main thread.
class Communication : public QObject {
    Q_OBJECT
public:
    explicit Communication(QObject* parent = nullptr) : QObject(parent) {}

    virtual void send(const QByteArray& text) = 0;
    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

signals:
    // Received bytes as they came; the device frames them into lines.
    void bytesReceived(const QByteArray& bytes);
    void opened();
    // Closed by this side or by the far end.
    void closed();
    // The connection failed or broke.
    void connectionFailed();
    // A port problem the operator should be shown.
    void warningRaised(const QString& text);
    // The far end starts its lines again from nothing (a publisher's new session): what the lines so
    // far built is to be dropped before the lines that follow.
    void streamRestarted();
};

} // namespace kav
