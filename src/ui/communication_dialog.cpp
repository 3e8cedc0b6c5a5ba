#include "communication_dialog.h"

#include "communication_settings.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

#include "broker_connection_fields.h"
#include "communication_prompts.h"
#include "kavendor_device.h"
#include "number_text.h"

namespace kav {
namespace {

QRadioButton* boldRadio(const QString& caption, const QString& name)
{
    auto* radio = new QRadioButton(caption);
    radio->setObjectName(name);
    QFont font = radio->font();
    font.setBold(true);
    radio->setFont(font);
    return radio;
}

QLineEdit* edit(int maxLength, const QString& name)
{
    auto* edit = new QLineEdit;
    edit->setMaxLength(maxLength);
    edit->setObjectName(name);
    return edit;
}

} // namespace

CommunicationDialog::CommunicationDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Communication Settings"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    createWidgets();
}

void CommunicationDialog::createWidgets()
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please Select a Port for Communication:")));
    layout->addWidget(makeSerialGroup());
    layout->addWidget(makeTcpGroup());
    layout->addWidget(makeMqttGroup());
    // The kinds sit in separate groups, so they need a button group to exclude each other.
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(m_rs232Radio);
    kinds->addButton(m_tcpipRadio);
    kinds->addButton(m_mqttRadio);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_okButton = buttons->button(QDialogButtonBox::Ok);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_cancelButton = buttons->button(QDialogButtonBox::Cancel);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    layout->addWidget(buttons);
    connect(m_okButton, &QPushButton::clicked, this, &CommunicationDialog::acceptSettings);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_rs232Radio, &QRadioButton::clicked, this, &CommunicationDialog::updateEnabling);
    connect(m_tcpipRadio, &QRadioButton::clicked, this, &CommunicationDialog::updateEnabling);
    connect(m_mqttRadio, &QRadioButton::clicked, this, &CommunicationDialog::updateEnabling);
    // Each field shows its example text whole, such as the device path or the broker's certificates.
    constexpr int kFieldPadding = 24;
    for (QLineEdit* field : findChildren<QLineEdit*>()) {
        const int wanted = field->fontMetrics().horizontalAdvance(field->placeholderText()) + kFieldPadding;
        field->setMinimumWidth(std::max(field->minimumWidth(), wanted));
    }
}

// The device path is for Linux, where serial adapters are named /dev/ttyUSB0 and the like.
QWidget* CommunicationDialog::makeSerialGroup()
{
    m_rs232Radio = boldRadio(QStringLiteral("RS232:"), QStringLiteral("RS232Radio"));
    m_rs232ComboBox = new QComboBox;
    m_rs232ComboBox->setObjectName(QStringLiteral("RS232ComboBox"));
    for (int port = 1; port <= kPortCount; ++port)
        m_rs232ComboBox->addItem(QStringLiteral("COM %1").arg(port));
    m_deviceEdit = edit(255, QStringLiteral("DeviceEdit"));
    m_deviceEdit->setPlaceholderText(QStringLiteral("/dev/ttyUSB0"));
    m_baudrateComboBox = new QComboBox;
    m_baudrateComboBox->setObjectName(QStringLiteral("BaudrateComboBox"));
    for (const int rate : kBaudrates)
        m_baudrateComboBox->addItem(QString::number(rate));
    m_baudrateComboBox->setCurrentIndex(-1); // nothing chosen until a showing finds the device's rate
    auto* group = new QWidget;
    auto* form = new QFormLayout(group);
    form->addRow(m_rs232Radio);
    form->addRow(QStringLiteral("Port Number:"), m_rs232ComboBox);
    form->addRow(QStringLiteral("Device:"), m_deviceEdit);
    form->addRow(QStringLiteral("Baudrate:"), m_baudrateComboBox);
    return group;
}

QWidget* CommunicationDialog::makeTcpGroup()
{
    m_tcpipRadio = boldRadio(QStringLiteral("TCP/IP:"), QStringLiteral("TCPIPRadio"));
    m_ipAddressEdit = edit(40, QStringLiteral("IPAddressEdit"));
    m_portEdit = edit(6, QStringLiteral("PortEdit"));
    auto* group = new QWidget;
    auto* form = new QFormLayout(group);
    form->addRow(m_tcpipRadio);
    form->addRow(QStringLiteral("IP Address:"), m_ipAddressEdit);
    form->addRow(QStringLiteral("Port Number:"), m_portEdit);
    return group;
}

// The feed another Kavendor publishes to a broker; the topic is that program's prefix, '+' for any run.
QWidget* CommunicationDialog::makeMqttGroup()
{
    m_mqttRadio = boldRadio(QStringLiteral("MQTT:"), QStringLiteral("MQTTRadio"));
    m_mqttFields = new BrokerConnectionFields;
    m_mqttTopicEdit = edit(255, QStringLiteral("MqttTopicEdit"));
    auto* group = new QWidget;
    auto* form = new QFormLayout(group);
    form->addRow(m_mqttRadio);
    form->addRow(m_mqttFields);
    form->addRow(QStringLiteral("Topic:"), m_mqttTopicEdit);
    return group;
}

void CommunicationDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    prepareToShow();
    centreOnScreen();
}

// A baud rate that is not in the list leaves the list's selection as it was.
void CommunicationDialog::prepareToShow()
{
    if (!m_device)
        return;
    const CommunicationSettings& settings = m_device->Settings;
    if (settings.CommType == CommunicationType::RS232)
        m_rs232Radio->setChecked(true);
    m_rs232ComboBox->setCurrentIndex(settings.S_Port >= 1 && settings.S_Port <= kPortCount ? settings.S_Port - 1 : -1);
    m_deviceEdit->setText(settings.S_Device);
    const auto rate = std::find(kBaudrates.begin(), kBaudrates.end(), settings.S_Baudrate);
    if (rate != kBaudrates.end())
        m_baudrateComboBox->setCurrentIndex(static_cast<int>(rate - kBaudrates.begin()));
    if (settings.CommType == CommunicationType::TCPIP)
        m_tcpipRadio->setChecked(true);
    m_ipAddressEdit->setText(settings.TCPIP_Addr);
    m_portEdit->setText(QString::number(settings.TCPIP_Port));
    if (settings.CommType == CommunicationType::MQTT)
        m_mqttRadio->setChecked(true);
    m_mqttFields->setSettings(settings.mqtt.connection);
    m_mqttTopicEdit->setText(settings.mqtt.topic);
    updateEnabling();
}

void CommunicationDialog::updateEnabling()
{
    const bool serial = m_rs232Radio->isChecked();
    const bool mqtt = m_mqttRadio->isChecked();
    m_rs232ComboBox->setEnabled(serial);
    m_deviceEdit->setEnabled(serial);
    m_baudrateComboBox->setEnabled(serial);
    m_ipAddressEdit->setEnabled(!serial && !mqtt);
    m_portEdit->setEnabled(!serial && !mqtt);
    m_mqttFields->setEnabled(mqtt);
    m_mqttTopicEdit->setEnabled(mqtt);
}

// Nothing is applied until the port number has converted, so that a typing error cannot leave the
// device with half the new settings and the old channel. Only the fields of the chosen kind are checked:
// leftover text in the disabled TCP fields blocks neither a serial nor an MQTT choice.
void CommunicationDialog::acceptSettings()
{
    if (!m_device)
        return;
    const QString text = m_portEdit->text();
    const auto number = parseTypedNumber(text.toStdString());
    const bool inRange = number && *number >= kMinTcpPort && *number <= kMaxTcpPort;
    if (m_tcpipRadio->isChecked() && !inRange) {
        reportInvalidPort(number ? QStringLiteral("The port number %1 is out of range: it must be from %2 to %3.")
                                       .arg(text.trimmed())
                                       .arg(kMinTcpPort)
                                       .arg(kMaxTcpPort)
                                 : QStringLiteral("'%1' is not a valid integer value").arg(text));
        return;
    }
    if (const QString problem = mqttProblem(); !problem.isEmpty()) {
        if (CommunicationPrompts* prompts = m_device->prompts())
            prompts->showError(problem);
        return;
    }
    applyChoices(inRange ? static_cast<std::uint16_t>(*number) : m_device->Settings.TCPIP_Port);
    m_device->open();
    accept();
}

void CommunicationDialog::reportInvalidPort(const QString& message)
{
    if (CommunicationPrompts* prompts = m_device->prompts())
        prompts->showError(message);
    m_portEdit->setFocus();
    m_portEdit->selectAll();
}

// Without a selected rate (one read from the file that the list lacks) the device keeps its rate.
void CommunicationDialog::applyChoices(std::uint16_t tcpPort)
{
    CommunicationSettings& settings = m_device->Settings;
    if (m_rs232Radio->isChecked())
        settings.CommType = CommunicationType::RS232;
    else if (m_tcpipRadio->isChecked())
        settings.CommType = CommunicationType::TCPIP;
    settings.S_Port = static_cast<std::uint8_t>(m_rs232ComboBox->currentIndex() + 1);
    settings.S_Device = m_deviceEdit->text().trimmed();
    if (m_baudrateComboBox->currentIndex() >= 0)
        settings.S_Baudrate = kBaudrates.at(static_cast<std::size_t>(m_baudrateComboBox->currentIndex()));
    settings.TCPIP_Addr = m_ipAddressEdit->text();
    settings.TCPIP_Port = tcpPort;
    if (m_mqttRadio->isChecked()) {
        settings.CommType = CommunicationType::MQTT;
        settings.mqtt = mqttChoices();
    }
}

QString CommunicationDialog::mqttProblem() const
{
    if (!m_mqttRadio->isChecked())
        return {};
    const MqttFeedSettings choices = mqttChoices();
    const QString problem = checkBrokerConnection(choices.connection);
    return problem.isEmpty() ? checkTopicPrefix(choices.topic, true) : problem;
}

MqttFeedSettings CommunicationDialog::mqttChoices() const
{
    return {m_mqttFields->settings(), m_mqttTopicEdit->text().trimmed()};
}

void CommunicationDialog::centreOnScreen()
{
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace kav
