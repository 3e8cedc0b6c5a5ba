#include "serial_comm.h"

namespace kav {

TSerialComm::TSerialComm(QObject* parent) : TCommunication(parent)
{
    m_port.OnReceive = [this](const QByteArray& bytes) { RaiseReceive(bytes); };
    m_port.OnWarning = [this](const QString& text) { RaiseWarning(text); };
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
    RaiseOpen();
}

void TSerialComm::Close()
{
    m_port.Close();
    RaiseClose();
}

bool TSerialComm::IsOpen() const
{
    return m_port.IsOpen();
}

} // namespace kav
