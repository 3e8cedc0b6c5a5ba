#include "serial_comm.h"

namespace kav {

TSerialComm::TSerialComm(QObject* parent) : TCommunication(parent)
{
    connect(&m_port, &TSerialPort::bytesReceived, this, &TCommunication::bytesReceived);
    connect(&m_port, &TSerialPort::warningRaised, this, &TCommunication::warningRaised);
}

void TSerialComm::Send(const QByteArray& text)
{
    m_port.Send(text);
}

void TSerialComm::Open()
{
    if (!m_port.Open())
        return;
    m_port.StartReader();
    emit opened();
}

void TSerialComm::Close()
{
    m_port.Close();
    emit closed();
}

bool TSerialComm::IsOpen() const
{
    return m_port.IsOpen();
}

} // namespace kav
