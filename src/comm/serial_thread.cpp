#include "serial_thread.h"

#include <QElapsedTimer>
#include <QSerialPort>

#include "serial_port.h"
#include "transmit_queue.h"

namespace kav {

SerialThread::SerialThread(SerialPort& port, const SerialPortSettings& settings, TransmitQueue& txBuffer)
    : m_port(port), m_settings(settings), m_txBuffer(txBuffer)
{
}

SerialThread::~SerialThread()
{
    stop();
    wait();
}

bool SerialThread::waitUntilOpened()
{
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_openState != OpenState::Pending; });
    return m_openState == OpenState::Opened;
}

void SerialThread::startReading()
{
    {
        const std::lock_guard lock(m_mutex);
        m_go = true;
    }
    m_wake.notify_all();
}

void SerialThread::stop()
{
    m_terminating = true;
    requestInterruption();
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
}

void SerialThread::run()
{
    QSerialPort port;
    port.setPortName(serialDeviceName(m_settings));
    const bool opened = openPort(port);
    announceOpen(opened);
    if (opened && waitForGo())
        readLoop(port);
    m_portOpen = false;
}

// A device that cannot be opened is not reported: the feed simply stays silent.
bool SerialThread::openPort(QSerialPort& port)
{
    if (!port.open(QIODevice::ReadWrite))
        return false;
    applySettings(port);
    port.clear(); // only what the driver held from before: all that comes once Open has returned is feed
    m_portOpen = true;
    return true;
}

// A line setting the device refuses is reported, but the port stays open.
bool SerialThread::applySettings(QSerialPort& port)
{
    static constexpr QSerialPort::Parity kParity[] = {QSerialPort::NoParity, QSerialPort::EvenParity,
                                                      QSerialPort::OddParity, QSerialPort::MarkParity,
                                                      QSerialPort::SpaceParity};
    static constexpr QSerialPort::StopBits kStopBits[] = {QSerialPort::OneStop, QSerialPort::OneAndHalfStop,
                                                          QSerialPort::TwoStop};
    const bool valid = m_settings.DataBits >= 5 && m_settings.DataBits <= 8 && m_settings.StopBits <= 2;
    const bool applied = valid && port.setBaudRate(m_settings.Baudrate) &&
                         port.setDataBits(static_cast<QSerialPort::DataBits>(m_settings.DataBits)) &&
                         port.setParity(kParity[static_cast<int>(m_settings.Parity)]) &&
                         port.setStopBits(kStopBits[m_settings.StopBits]);
    if (!applied)
        reportError(QStringLiteral("SetCommState()"));
    return applied;
}

void SerialThread::announceOpen(bool opened)
{
    {
        const std::lock_guard lock(m_mutex);
        m_openState = opened ? OpenState::Opened : OpenState::Failed;
    }
    m_wake.notify_all();
}

bool SerialThread::waitForGo()
{
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_go || m_stop; });
    return !m_stop;
}

void SerialThread::readLoop(QSerialPort& port)
{
    while (!isInterruptionRequested()) {
        writePending(port);
        if (port.waitForReadyRead(static_cast<int>(kReadSlice.count()))) {
            readAvailable(port);
        } else if (deviceGone(port)) {
            // Reported once: the device will not come back by itself, and waiting on it again fails at once.
            reportError(QStringLiteral("WaitCommEvent()"));
            return;
        }
        port.clearError();
    }
}

bool SerialThread::deviceGone(const QSerialPort& port) const
{
    const auto error = port.error();
    return error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
}

void SerialThread::readAvailable(QSerialPort& port)
{
    QByteArray bytes = port.readAll();
    if (!bytes.isEmpty())
        handOver(std::move(bytes));
}

void SerialThread::handOver(QByteArray bytes)
{
    std::unique_lock lock(m_mutex);
    if (m_stop)
        return;
    m_bytes = std::move(bytes);
    m_handOverPending = true;
    QMetaObject::invokeMethod(this, &SerialThread::deliverBytes, Qt::QueuedConnection);
    m_wake.wait(lock, [this] { return !m_handOverPending || m_stop; });
}

void SerialThread::deliverBytes()
{
    QByteArray bytes;
    {
        const std::lock_guard lock(m_mutex);
        bytes = std::move(m_bytes);
    }
    m_delivering = true;
    if (!m_terminating)
        emit m_port.bytesReceived(bytes);
    m_delivering = false;
    {
        const std::lock_guard lock(m_mutex);
        m_handOverPending = false;
    }
    m_wake.notify_all();
}

void SerialThread::writePending(QSerialPort& port)
{
    for (QByteArray chunk = m_txBuffer.takeChunk(); !chunk.isEmpty(); chunk = m_txBuffer.takeChunk()) {
        if (isInterruptionRequested())
            return;
        if (port.write(chunk) != chunk.size()) {
            reportError(QStringLiteral("WriteFile()"));
            continue;
        }
        flushChunk(port);
    }
}

// Each chunk leaves before the next is taken, so a long text goes out in chunks of 1024 bytes.
void SerialThread::flushChunk(QSerialPort& port)
{
    QElapsedTimer waited;
    waited.start();
    while (port.bytesToWrite() > 0 && !isInterruptionRequested()) {
        if (waited.elapsed() > kWriteTimeout.count()) {
            reportError(QStringLiteral("GetOverlapperResults() in WriteFile()."));
            return;
        }
        if (!port.waitForBytesWritten(static_cast<int>(kReadSlice.count())) && deviceGone(port)) {
            reportError(QStringLiteral("WriteFile()"));
            return;
        }
    }
}

void SerialThread::reportError(const QString& operation)
{
    SerialPort* port = &m_port;
    QMetaObject::invokeMethod(
        port, [port, operation] { port->reportError(operation); }, Qt::QueuedConnection);
}

} // namespace kav
