#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

namespace kav {

// A channel that receives the feed: the serial port or the TCP client connection. Its events run
// on the main thread; an event that is not set is not raised.
class TCommunication : public QObject {
public:
    using BytesEvent = std::function<void(TCommunication&, const QByteArray&)>;
    using NotifyEvent = std::function<void(TCommunication&)>;
    using TextEvent = std::function<void(TCommunication&, const QString&)>;

    explicit TCommunication(QObject* parent = nullptr) : QObject(parent) {}

    BytesEvent OnReceive; // received bytes as they came; the device frames them into lines
    NotifyEvent OnOpen;   // the channel has become open
    NotifyEvent OnClose;  // closed by this side or by the far end
    NotifyEvent OnError;  // the connection failed or broke
    TextEvent OnWarning;  // a port problem the operator should be shown

    virtual void Send(const QByteArray& text) = 0;
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // A channel being retired must reach nobody any more.
    void ClearEvents();

protected:
    void RaiseReceive(const QByteArray& bytes);
    void RaiseOpen();
    void RaiseClose();
    void RaiseError();
    void RaiseWarning(const QString& text);
};

} // namespace kav
