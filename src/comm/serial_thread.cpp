#include "serial_thread.h"

#include <QElapsedTimer>
#include <QSerialPort>

#include "serial_port.h"
#include "tx_queue.h"

namespace kav {

TSerialThread::TSerialThread(TSerialPort& port, const TSerialPortSettings& settings, TTxQueue& txBuffer)
    : m_port(port), m_settings(settings), m_txBuffer(txBuffer)
{
}

TSerialThread::~TSerialThread()
{
    Stop();
    wait();
}

bool TSerialThread::WaitUntilOpened()
{
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_openState != OpenState::Pending; });
    return m_openState == OpenState::Opened;
}

void TSerialThread::StartReading()
{
    {
        const std::lock_guard lock(m_mutex);
        m_go = true;
    }
    m_wake.notify_all();
}

void TSerialThread::Stop()
{
    m_terminating = true;
    requestInterruption();
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
}

void TSerialThread::run()
{
    QSerialPort port;
    port.setPortName(SerialDeviceName(m_settings));
    const bool opened = OpenPort(port);
    AnnounceOpen(opened);
    if (opened && WaitForGo())
        ReadLoop(port);
    m_portOpen = false;
}

// A device that cannot be opened is not reported: the feed simply stays silent.
bool TSerialThread::OpenPort(QSerialPort& port)
{
    if (!port.open(QIODevice::ReadWrite))
        return false;
    ApplySettings(port);
    port.clear(); // only what the driver held from before: all that comes once Open has returned is feed
    m_portOpen = true;
    return true;
}

// A line setting the device refuses is reported, but the port stays open.
bool TSerialThread::ApplySettings(QSerialPort& port)
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
        ReportError(QStringLiteral("SetCommState()"));
    return applied;
}

void TSerialThread::AnnounceOpen(bool opened)
{
    {
        const std::lock_guard lock(m_mutex);
        m_openState = opened ? OpenState::Opened : OpenState::Failed;
    }
    m_wake.notify_all();
}

bool TSerialThread::WaitForGo()
{
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_go || m_stop; });
    return !m_stop;
}

void TSerialThread::ReadLoop(QSerialPort& port)
{
    while (!isInterruptionRequested()) {
        WritePending(port);
        if (port.waitForReadyRead(static_cast<int>(kReadSlice.count()))) {
            ReadAvailable(port);
        } else if (DeviceGone(port)) {
            // Reported once: the device will not come back by itself, and waiting on it again fails at once.
            ReportError(QStringLiteral("WaitCommEvent()"));
            return;
        }
        port.clearError();
    }
}

bool TSerialThread::DeviceGone(const QSerialPort& port) const
{
    const auto error = port.error();
    return error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
}

void TSerialThread::ReadAvailable(QSerialPort& port)
{
    QByteArray bytes = port.readAll();
    if (!bytes.isEmpty())
        HandOver(std::move(bytes));
}

void TSerialThread::HandOver(QByteArray bytes)
{
    std::unique_lock lock(m_mutex);
    if (m_stop)
        return;
    m_bytes = std::move(bytes);
    m_handOverPending = true;
    QMetaObject::invokeMethod(this, &TSerialThread::DeliverBytes, Qt::QueuedConnection);
    m_wake.wait(lock, [this] { return !m_handOverPending || m_stop; });
}

void TSerialThread::DeliverBytes()
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

void TSerialThread::WritePending(QSerialPort& port)
{
    for (QByteArray chunk = m_txBuffer.TakeChunk(); !chunk.isEmpty(); chunk = m_txBuffer.TakeChunk()) {
        if (isInterruptionRequested())
            return;
        if (port.write(chunk) != chunk.size()) {
            ReportError(QStringLiteral("WriteFile()"));
            continue;
        }
        FlushChunk(port);
    }
}

// Each chunk leaves before the next is taken, so a long text goes out in chunks of 1024 bytes.
void TSerialThread::FlushChunk(QSerialPort& port)
{
    QElapsedTimer waited;
    waited.start();
    while (port.bytesToWrite() > 0 && !isInterruptionRequested()) {
        if (waited.elapsed() > kWriteTimeout.count()) {
            ReportError(QStringLiteral("GetOverlapperResults() in WriteFile()."));
            return;
        }
        if (!port.waitForBytesWritten(static_cast<int>(kReadSlice.count())) && DeviceGone(port)) {
            ReportError(QStringLiteral("WriteFile()"));
            return;
        }
    }
}

void TSerialThread::ReportError(const QString& operation)
{
    TSerialPort* port = &m_port;
    QMetaObject::invokeMethod(
        port, [port, operation] { port->ReportError(operation); }, Qt::QueuedConnection);
}

} // namespace kav
