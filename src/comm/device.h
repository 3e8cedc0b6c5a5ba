#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

#include "communication.h"
#include "communication_settings.h"
#include "line_framer.h"

namespace kav {

// A data source that owns one channel, frames the bytes it receives into lines and hands each line
// on. Every line the program processes comes through here, from a channel or from a replayed file.
class Device : public QObject {
    Q_OBJECT
public:
    using LineTap = std::function<void(const QByteArray&)>;

    explicit Device(QObject* parent = nullptr);
    ~Device() override;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    CommunicationSettings Settings; // no channel until settings are loaded or set

    // Received bytes, in pieces of any size: each completed line is handed on at once.
    void receiveBytes(QByteArrayView bytes);
    // Sees every line before it is handed on, so a line the program cannot survive is still recorded.
    void setTap(LineTap tap) { m_tap = std::move(tap); }
    // The bytes after the last LF, waiting for the rest of their line.
    QByteArray partialLine() const { return m_framer.pending(); }
    // A line cut off is never completed: whatever comes next starts a line of its own.
    void forgetPartialLine();

    virtual void open();
    virtual void close();

    Communication* communication() const { return m_communication.get(); }

signals:
    // One line with its LF (a CR before it stays), on the main thread.
    void lineReceived(const QByteArray& line);
    // A line too long for the feed was dropped: one bad line.
    void lineDropped();
    // The lines of one read have all been told: what several lines change together can be shown now.
    void linesEnd();
    // The channel's far end starts its lines again from nothing (see Communication::streamRestarted).
    void streamRestarted();

protected:
    // Installs the channel (or none); the one it replaces is retired.
    void setCommunication(std::unique_ptr<Communication> channel);
    // The channel was closed, by this side or by the far end.
    virtual void channelClosed() {}

private:
    void retire(std::unique_ptr<Communication> channel);
    void freeRetired();

    LineFramer m_framer;
    LineTap m_tap;
    // Counts the streams the device has framed: lines of a stream that ended are not handed on.
    quint64 m_stream = 0;
    std::unique_ptr<Communication> m_communication;
    // Closed channels wait here for the next turn of the event loop: a channel may be closed from
    // inside one of its own events, and must outlive that call.
    std::vector<std::unique_ptr<Communication>> m_retired;
};

} // namespace kav
