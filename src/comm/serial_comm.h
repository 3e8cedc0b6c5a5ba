#pragma once

#include "communication.h"
#include "serial_port.h"

namespace kav {

// The serial channel: the feed from an RS232 port.
class TSerialComm : public TCommunication {
    Q_OBJECT
public:
    explicit TSerialComm(QObject* parent = nullptr);

    void Send(const QByteArray& text) override;
    void Open() override;
    void Close() override;
    bool IsOpen() const override;

    TSerialPort& Port() { return m_port; }

private:
    TSerialPort m_port;
};

} // namespace kav
