#include "serial_communication.h"

namespace kav {

SerialCommunication::SerialCommunication(QObject* parent) : Communication(parent)
{
    connect(&m_port, &SerialPort::bytesReceived, this, &Communication::bytesReceived);
    connect(&m_port, &SerialPort::warningRaised, this, &Communication::warningRaised);
}

void SerialCommunication::send(const QByteArray& text)
{
    m_port.send(text);
}

void SerialCommunication::open()
{
    if (!m_port.open())
        return;
    m_port.startReader();
    emit opened();
}

void SerialCommunication::close()
{
    m_port.close();
    emit closed();
}

bool SerialCommunication::isOpen() const
{
    return m_port.isOpen();
}

} // namespace kav
