#pragma once

#include <QHostAddress>
#include <QObject>
#include <QThread>

#include "web_limits.h"

namespace kav {

class PageServer;
class StateFeed;

// The built-in web view. The program's state feed is kept on the program's thread, where the results
// models are; each update it publishes is handed with the state it leads to over to the web view's
// own thread. There the page server accepts, serves and writes to
// every client, so that no client, however many or however hostile, holds up the program's windows,
// and every socket stays on the thread that made it.
class WebServer : public QObject {
    Q_OBJECT
public:
    // Reads the feed as long as it lives.
    explicit WebServer(StateFeed& feed, const WebLimits& limits = {}, QObject* parent = nullptr);
    ~WebServer() override;

    // Listens on the address and port (0: any free port); false with the reason when it cannot.
    bool start(const QHostAddress& address, quint16 port, QString& error);
    quint16 port() const { return m_port; }
    // Asked of the web view's thread, which answers between two of its events.
    int connectionCount() const;
    int liveClientCount() const;

private:
    template <typename Result, typename Call>
    Result askPages(Call call) const;
    void forward(const QByteArray& update);

    WebLimits m_limits;
    StateFeed& m_feed;
    qint64 m_sequence = -1; // of the last state handed to the pages
    QThread m_thread;
    PageServer* m_pages = nullptr; // made, used and deleted in m_thread
    quint16 m_port = 0;
};

} // namespace kav
