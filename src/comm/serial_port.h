#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

#include "serial_port_settings.h"
#include "tx_queue.h"

namespace kav {

class TSerialThread;

// One serial port: its settings, its transmit queue and, while open, its reader thread. Every signal
// comes on the main thread.
class TSerialPort : public QObject {
    Q_OBJECT
public:
    explicit TSerialPort(QObject* parent = nullptr);
    ~TSerialPort() override;

    TSerialPortSettings Settings;

    // Opens the device; false, without a message, when it cannot be opened.
    bool Open();
    void StartReader();
    // Returns promptly, also when the device has vanished; no event is raised afterwards.
    void Close();
    void Send(const QByteArray& text);
    bool IsOpen() const;

    // Shows the failed operation as a warning, on the main thread.
    void ReportError(const QString& operation);

signals:
    // Received bytes as they came, handed over by the reader on the main thread.
    void bytesReceived(const QByteArray& bytes);
    void warningRaised(const QString& text);

private:
    void ReleaseReader();

    TTxQueue m_txBuffer;
    std::unique_ptr<TSerialThread> m_reader;
};

} // namespace kav
