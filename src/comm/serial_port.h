#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

#include "serial_port_settings.h"
#include "transmit_queue.h"

namespace kav {

class SerialThread;

// One serial port: its settings, its transmit queue and, while open, its reader thread. Every signal
// comes on the main thread.
class SerialPort : public QObject {
    Q_OBJECT
public:
    explicit SerialPort(QObject* parent = nullptr);
    ~SerialPort() override;

    SerialPortSettings Settings;

    // Opens the device; false, without a message, when it cannot be opened.
    bool open();
    void startReader();
    // Returns promptly, also when the device has vanished; no event is raised afterwards.
    void close();
    void send(const QByteArray& text);
    bool isOpen() const;

    // Shows the failed operation as a warning, on the main thread.
    void reportError(const QString& operation);

signals:
    // Received bytes as they came, handed over by the reader on the main thread.
    void bytesReceived(const QByteArray& bytes);
    void warningRaised(const QString& text);

private:
    void releaseReader();

    TransmitQueue m_txBuffer;
    std::unique_ptr<SerialThread> m_reader;
};

} // namespace kav
