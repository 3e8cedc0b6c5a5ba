#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

#include "broker_connection_settings.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kav {

class BrokerConnectionFields;
class KavendorDevice;

// "Communication Settings": the operator picks the serial port, the TCP server or an MQTT broker; OK
// applies the choice at once by reopening the device.
class CommunicationDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr std::array<int, 6> kBaudrates{9600, 19200, 38400, 57600, 115200, 230400};
    static constexpr int kPortCount = 8;
    static constexpr int kMinTcpPort = 1;
    static constexpr int kMaxTcpPort = 65535;

    explicit CommunicationDialog(QWidget* parent = nullptr);

    // The device whose settings the dialog edits; set before each showing.
    void setDevice(KavendorDevice* device) { m_device = device; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createWidgets();
    QWidget* makeSerialGroup();
    QWidget* makeTcpGroup();
    QWidget* makeMqttGroup();
    void prepareToShow();
    void updateEnabling();
    void acceptSettings();
    void reportInvalidPort(const QString& message);
    // The MQTT fields when that kind is chosen and they can be used; otherwise a message.
    QString mqttProblem() const;
    MqttFeedSettings mqttChoices() const;
    void applyChoices(std::uint16_t tcpPort);
    void centreOnScreen();

    KavendorDevice* m_device = nullptr;
    QRadioButton* m_rs232Radio = nullptr;
    QComboBox* m_rs232ComboBox = nullptr;
    QLineEdit* m_deviceEdit = nullptr;
    QComboBox* m_baudrateComboBox = nullptr;
    QRadioButton* m_tcpipRadio = nullptr;
    QLineEdit* m_ipAddressEdit = nullptr;
    QLineEdit* m_portEdit = nullptr;
    QRadioButton* m_mqttRadio = nullptr;
    BrokerConnectionFields* m_mqttFields = nullptr;
    QLineEdit* m_mqttTopicEdit = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace kav
