#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

#include "serial_port_settings.h"
#include "tx_queue.h"

namespace kav {

class TSerialThread;

// One serial port: its settings, its transmit queue and, while open, its reader thread. Every event
// is raised on the main thread.
class TSerialPort : public QObject {
public:
    explicit TSerialPort(QObject* parent = nullptr);
    ~TSerialPort() override;

    TSerialPortSettings Settings;
    std::function<void(const QByteArray&)> OnReceive; // received bytes as they came
    std::function<void(const QString&)> OnWarning;

    // Opens the device; false, without a message, when it cannot be opened.
    bool Open();
    void StartReader();
    // Returns promptly, also when the device has vanished; no event is raised afterwards.
    void Close();
    void Send(const QByteArray& text);
    bool IsOpen() const;

    // Called on the main thread by the reader.
    void RaiseReceive(const QByteArray& bytes);
    void ReportError(const QString& operation);

private:
    void ReleaseReader();

    TTxQueue m_txBuffer;
    std::unique_ptr<TSerialThread> m_reader;
};

} // namespace kav
