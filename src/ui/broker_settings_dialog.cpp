#include "broker_settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "broker_connection_fields.h"
#include "dialog_buttons.h"
#include "ui_prompter.h"

namespace kav {

BrokerSettingsDialog::BrokerSettingsDialog(QWidget* parent)
    : QDialog(parent), m_enabled(new QCheckBox(QStringLiteral("Publish to an MQTT broker"))),
      m_fields(new BrokerConnectionFields), m_automaticTopic(new QRadioButton(QStringLiteral("kavendor/<run name>"))),
      m_fixedTopic(new QRadioButton(QStringLiteral("Fixed:"))), m_topicPrefix(new QLineEdit)
{
    setWindowTitle(QStringLiteral("Broker"));
    m_enabled->setObjectName(QStringLiteral("PublishCheck"));
    m_automaticTopic->setObjectName(QStringLiteral("AutomaticTopicRadio"));
    m_fixedTopic->setObjectName(QStringLiteral("FixedTopicRadio"));
    m_topicPrefix->setObjectName(QStringLiteral("TopicPrefixEdit"));
    auto* topics = new QGroupBox(QStringLiteral(" Topic prefix: "));
    auto* topicForm = new QFormLayout(topics);
    topicForm->addRow(m_automaticTopic);
    topicForm->addRow(m_fixedTopic, m_topicPrefix);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_enabled);
    layout->addWidget(m_fields);
    layout->addWidget(topics);
    layout->addWidget(okCancelButtons(*this));
    connect(m_enabled, &QCheckBox::toggled, this, &BrokerSettingsDialog::updateEnabling);
    connect(m_fixedTopic, &QRadioButton::toggled, this, &BrokerSettingsDialog::updateEnabling);
    setSettings({});
}

void BrokerSettingsDialog::setSettings(const PublisherSettings& settings)
{
    m_enabled->setChecked(settings.enabled);
    m_fields->setSettings(settings.connection);
    m_fixedTopic->setChecked(!settings.topicPrefix.isEmpty());
    m_automaticTopic->setChecked(settings.topicPrefix.isEmpty());
    m_topicPrefix->setText(settings.topicPrefix);
    updateEnabling();
}

PublisherSettings BrokerSettingsDialog::settings() const
{
    PublisherSettings settings;
    settings.enabled = m_enabled->isChecked();
    settings.connection = m_fields->settings();
    if (m_fixedTopic->isChecked())
        settings.topicPrefix = m_topicPrefix->text().trimmed();
    return settings;
}

void BrokerSettingsDialog::accept()
{
    if (const QString text = problem(); !text.isEmpty()) {
        prompter().tell(BoxKind::Error, text, this);
        return;
    }
    QDialog::accept();
}

// An empty fixed prefix would silently mean the automatic one.
QString BrokerSettingsDialog::problem() const
{
    const PublisherSettings chosen = settings();
    if (chosen.enabled && m_fixedTopic->isChecked() && chosen.topicPrefix.isEmpty())
        return QStringLiteral("No topic prefix is set.");
    return checkPublisherSettings(chosen);
}

void BrokerSettingsDialog::updateEnabling()
{
    const bool enabled = m_enabled->isChecked();
    m_fields->setEnabled(enabled);
    m_automaticTopic->setEnabled(enabled);
    m_fixedTopic->setEnabled(enabled);
    m_topicPrefix->setEnabled(enabled && m_fixedTopic->isChecked());
}

} // namespace kav
