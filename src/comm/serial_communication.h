#pragma once

#include "communication.h"
#include "serial_port.h"

namespace kav {

// The serial channel: the feed from an RS232 port.
class SerialCommunication : public Communication {
    Q_OBJECT
public:
    explicit SerialCommunication(QObject* parent = nullptr);

    void send(const QByteArray& text) override;
    void open() override;
    void close() override;
    bool isOpen() const override;

    SerialPort& port() { return m_port; }

private:
    SerialPort m_port;
};

} // namespace kav
