#include "serial_port.h"

#include "serial_thread.h"

namespace kav {

TSerialPort::TSerialPort(QObject* parent) : QObject(parent) {}

TSerialPort::~TSerialPort()
{
    Close();
}

bool TSerialPort::Open()
{
    Close();
    m_reader = std::make_unique<TSerialThread>(*this, Settings, m_txBuffer);
    m_reader->start(QThread::TimeCriticalPriority);
    if (m_reader->WaitUntilOpened())
        return true;
    Close();
    return false;
}

void TSerialPort::StartReader()
{
    if (m_reader)
        m_reader->StartReading();
}

void TSerialPort::Close()
{
    if (!m_reader)
        return;
    m_reader->Stop();
    m_reader->wait();
    ReleaseReader();
}

void TSerialPort::Send(const QByteArray& text)
{
    if (IsOpen())
        m_txBuffer.Append(text);
}

bool TSerialPort::IsOpen() const
{
    return m_reader && m_reader->IsPortOpen();
}

void TSerialPort::ReportError(const QString& operation)
{
    const QString text = QStringLiteral("Error ") + SerialDeviceName(Settings) + QStringLiteral(": ") + operation;
    emit warningRaised(text);
}

// A reader closed from inside its own hand-over is still on the stack: it goes on the next turn of the
// event loop.
void TSerialPort::ReleaseReader()
{
    if (m_reader->IsDelivering())
        m_reader.release()->deleteLater();
    else
        m_reader.reset();
}

} // namespace kav
