#include "serial_port.h"

#include "serial_thread.h"

namespace kav {

SerialPort::SerialPort(QObject* parent) : QObject(parent) {}

SerialPort::~SerialPort()
{
    close();
}

bool SerialPort::open()
{
    close();
    m_reader = std::make_unique<SerialThread>(*this, Settings, m_txBuffer);
    m_reader->start(QThread::TimeCriticalPriority);
    if (m_reader->waitUntilOpened())
        return true;
    close();
    return false;
}

void SerialPort::startReader()
{
    if (m_reader)
        m_reader->startReading();
}

void SerialPort::close()
{
    if (!m_reader)
        return;
    m_reader->stop();
    m_reader->wait();
    releaseReader();
}

void SerialPort::send(const QByteArray& text)
{
    if (isOpen())
        m_txBuffer.append(text);
}

bool SerialPort::isOpen() const
{
    return m_reader && m_reader->isPortOpen();
}

void SerialPort::reportError(const QString& operation)
{
    const QString text = QStringLiteral("Error ") + serialDeviceName(Settings) + QStringLiteral(": ") + operation;
    emit warningRaised(text);
}

// A reader closed from inside its own hand-over is still on the stack: it goes on the next turn of the
// event loop.
void SerialPort::releaseReader()
{
    if (m_reader->isDelivering())
        m_reader.release()->deleteLater();
    else
        m_reader.reset();
}

} // namespace kav
