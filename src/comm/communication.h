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
    using LineEvent = std::function<void(TCommunication&, const QByteArray&)>;
    using NotifyEvent = std::function<void(TCommunication&)>;
    using TextEvent = std::function<void(TCommunication&, const QString&)>;

    explicit TCommunication(QObject* parent = nullptr) : QObject(parent) {}

    LineEvent OnReceive;    // one framed line, LF included
    NotifyEvent OnOpen;     // the channel has become open
    NotifyEvent OnClose;    // closed by this side or by the far end
    NotifyEvent OnError;    // the connection failed or broke
    NotifyEvent OnOverflow; // a line too long to be a feed line was dropped
    TextEvent OnWarning;    // a port problem the operator should be shown

    virtual void Send(const QByteArray& text) = 0;
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // A channel being retired must reach nobody any more.
    void ClearEvents();

protected:
    void RaiseReceive(const QByteArray& line);
    void RaiseOpen();
    void RaiseClose();
    void RaiseError();
    void RaiseOverflow(int count);
    void RaiseWarning(const QString& text);
};

} // namespace kav
