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

class SerialPort;
class TransmitQueue;

// The reader thread of one opening of a serial port. It opens the device itself (a QSerialPort
// belongs to the thread that uses it), waits for bytes and hands what it read to the main thread,
// waiting until it has been delivered there. Stop ends every wait at once, so
// the main thread may join the reader without serving its event loop.
class SerialThread : public QThread {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kReadSlice{50};
    static constexpr std::chrono::milliseconds kWriteTimeout{2000};

    SerialThread(SerialPort& port, const SerialPortSettings& settings, TransmitQueue& txBuffer);
    ~SerialThread() override;

    // Main thread: the outcome of opening the device.
    bool waitUntilOpened();
    void startReading();
    // Main thread: no hand-over runs and no line is delivered after this.
    void stop();
    bool isPortOpen() const { return m_portOpen; }
    bool isDelivering() const { return m_delivering; }

protected:
    void run() override;

private:
    enum class OpenState { Pending, Opened, Failed };

    bool openPort(QSerialPort& port);
    bool applySettings(QSerialPort& port);
    void announceOpen(bool opened);
    bool waitForGo();
    void readLoop(QSerialPort& port);
    bool deviceGone(const QSerialPort& port) const;
    void readAvailable(QSerialPort& port);
    void handOver(QByteArray bytes);
    void writePending(QSerialPort& port);
    void flushChunk(QSerialPort& port);
    void reportError(const QString& operation);

    void deliverBytes(); // main thread

    SerialPort& m_port;
    const SerialPortSettings m_settings;
    TransmitQueue& m_txBuffer;

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
