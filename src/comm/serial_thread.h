#pragma once

#include <QByteArray>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "serial_port_settings.h"

class QSerialPort;

namespace kav {

class TSerialPort;
class TTxQueue;

// The reader thread of one opening of a serial port. It opens the device itself (a QSerialPort
// belongs to the thread that uses it), waits for bytes and hands what it read to the main thread,
// waiting until it has been delivered there. Stop ends every wait at once, so
// the main thread may join the reader without serving its event loop.
class TSerialThread : public QThread {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kReadSlice{50};
    static constexpr std::chrono::milliseconds kWriteTimeout{2000};

    TSerialThread(TSerialPort& port, const TSerialPortSettings& settings, TTxQueue& txBuffer);
    ~TSerialThread() override;

    // Main thread: the outcome of opening the device.
    bool WaitUntilOpened();
    void StartReading();
    // Main thread: no hand-over runs and no line is delivered after this.
    void Stop();
    bool IsPortOpen() const { return m_portOpen; }
    bool IsDelivering() const { return m_delivering; }

protected:
    void run() override;

private:
    enum class OpenState { Pending, Opened, Failed };

    bool OpenPort(QSerialPort& port);
    bool ApplySettings(QSerialPort& port);
    void AnnounceOpen(bool opened);
    bool WaitForGo();
    void ReadLoop(QSerialPort& port);
    bool DeviceGone(const QSerialPort& port) const;
    void ReadAvailable(QSerialPort& port);
    void HandOver(QByteArray bytes);
    void WritePending(QSerialPort& port);
    void FlushChunk(QSerialPort& port);
    void ReportError(const QString& operation);

    void DeliverBytes(); // main thread

    TSerialPort& m_port;
    const TSerialPortSettings m_settings;
    TTxQueue& m_txBuffer;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    OpenState m_openState = OpenState::Pending;
    bool m_go = false;
    bool m_stop = false;
    bool m_handOverPending = false;
    QByteArray m_bytes; // handed over under m_mutex

    std::atomic<bool> m_terminating{false};
    std::atomic<bool> m_portOpen{false};
    bool m_delivering = false; // main thread only
};

} // namespace kav
