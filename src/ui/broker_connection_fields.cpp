#include "broker_connection_fields.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace kav {
namespace {

constexpr int kMaxKeepAliveSeconds = 65535;

QLineEdit* namedEdit(const char* name, const QString& placeholder = {})
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setPlaceholderText(placeholder);
    return edit;
}

} // namespace

BrokerConnectionFields::BrokerConnectionFields(QWidget* parent)
    : QWidget(parent), m_host(namedEdit("BrokerHostEdit", QStringLiteral("broker.example.org"))),
      m_port(namedEdit("BrokerPortEdit")), m_clientId(namedEdit("BrokerClientIdEdit", QStringLiteral("(automatic)"))),
      m_keepAlive(new QSpinBox), m_userName(namedEdit("BrokerUserEdit", QStringLiteral("(no login)"))),
      m_password(namedEdit("BrokerPasswordEdit")), m_useTls(new QCheckBox(QStringLiteral("Use TLS"))),
      m_caFile(namedEdit("BrokerCaFileEdit", QStringLiteral("(the system's certificates)")))
{
    m_port->setMaxLength(6);
    m_keepAlive->setObjectName(QStringLiteral("BrokerKeepAliveBox"));
    m_keepAlive->setRange(BrokerConnectionSettings::kMinKeepAliveSeconds, kMaxKeepAliveSeconds);
    m_keepAlive->setSuffix(QStringLiteral(" s"));
    m_password->setEchoMode(QLineEdit::Password);
    m_useTls->setObjectName(QStringLiteral("BrokerTlsCheck"));
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("Host:"), m_host);
    form->addRow(QStringLiteral("Port:"), m_port);
    form->addRow(QStringLiteral("Client id:"), m_clientId);
    form->addRow(QStringLiteral("Keep-alive:"), m_keepAlive);
    form->addRow(QStringLiteral("User name:"), m_userName);
    form->addRow(QStringLiteral("Password:"), m_password);
    form->addRow(m_useTls);
    form->addRow(QStringLiteral("CA file:"), m_caFile);
    connect(m_useTls, &QCheckBox::toggled, this, &BrokerConnectionFields::updateEnabling);
    setSettings({});
}

void BrokerConnectionFields::setSettings(const BrokerConnectionSettings& settings)
{
    m_host->setText(settings.host);
    m_port->setText(QString::number(settings.port));
    m_clientId->setText(settings.clientId);
    m_keepAlive->setValue(settings.keepAliveSeconds);
    m_userName->setText(settings.userName);
    m_password->setText(settings.password);
    m_useTls->setChecked(settings.useTls);
    m_caFile->setText(settings.caFile);
    updateEnabling();
}

BrokerConnectionSettings BrokerConnectionFields::settings() const
{
    BrokerConnectionSettings settings;
    settings.host = m_host->text().trimmed();
    bool ok = false;
    const int port = m_port->text().trimmed().toInt(&ok);
    settings.port = ok ? port : 0;
    settings.clientId = m_clientId->text().trimmed();
    settings.keepAliveSeconds = m_keepAlive->value();
    settings.userName = m_userName->text();
    settings.password = m_password->text();
    settings.useTls = m_useTls->isChecked();
    settings.caFile = m_caFile->text().trimmed();
    return settings;
}

void BrokerConnectionFields::updateEnabling()
{
    m_caFile->setEnabled(m_useTls->isChecked());
}

} // namespace kav
