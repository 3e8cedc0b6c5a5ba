#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

#include "comm_settings.h"
#include "communication.h"

namespace kav {

// A data source that owns one channel and hands each line the channel frames to its listener.
class TDevice : public QObject {
public:
    using LineEvent = std::function<void(TDevice&, const QByteArray&)>;
    using NotifyEvent = std::function<void(TDevice&)>;

    explicit TDevice(QObject* parent = nullptr);
    ~TDevice() override;
    TDevice(const TDevice&) = delete;
    TDevice& operator=(const TDevice&) = delete;

    TCommSettings Settings; // no channel until settings are loaded or set
    LineEvent OnReceive;    // each line with its LF, on the main thread
    NotifyEvent OnOverflow; // a line too long for the feed was dropped: one bad line

    virtual void ReceiveLine(const QByteArray& line);
    virtual void Open();
    virtual void Close();

    TCommunication* Communication() const { return m_communication.get(); }

protected:
    // Installs the channel (or none); the one it replaces is retired.
    void SetCommunication(std::unique_ptr<TCommunication> channel);

private:
    void Retire(std::unique_ptr<TCommunication> channel);
    void FreeRetired();

    std::unique_ptr<TCommunication> m_communication;
    // Closed channels wait here for the next turn of the event loop: a channel may be closed from
    // inside one of its own events, and must outlive that call.
    std::vector<std::unique_ptr<TCommunication>> m_retired;
};

} // namespace kav
