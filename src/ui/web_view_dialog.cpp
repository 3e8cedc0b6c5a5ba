#include "web_view_dialog.h"

#include "dialog_buttons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kav {

WebViewDialog::WebViewDialog(QWidget* parent)
    : QDialog(parent), m_enabled(new QCheckBox(QStringLiteral("Serve live results to web browsers"))),
      m_port(new QSpinBox), m_bind(new QLineEdit), m_addressHint(new QLabel), m_status(new QLabel)
{
    setWindowTitle(QStringLiteral("Web view"));
    m_port->setRange(1, 65535);
    m_bind->setPlaceholderText(QStringLiteral("all interfaces"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* form = new QFormLayout;
    form->addRow(m_enabled);
    form->addRow(QStringLiteral("Port:"), m_port);
    form->addRow(QStringLiteral("Bind address:"), m_bind);
    form->addRow(QString(), m_addressHint);
    m_buttons = okCancelButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_status);
    layout->addWidget(m_buttons);
    connect(m_bind, &QLineEdit::textChanged, this, &WebViewDialog::checkAddress);
    setSettings({});
}

void WebViewDialog::setSettings(const WebViewSettings& settings)
{
    m_enabled->setChecked(settings.enabled);
    m_port->setValue(settings.port);
    m_bind->setText(QString::fromStdString(settings.bindAddress));
    checkAddress();
}

WebViewSettings WebViewDialog::settings() const
{
    return {m_enabled->isChecked(), m_port->value(), m_bind->text().trimmed().toStdString()};
}

void WebViewDialog::setStatus(const QString& text)
{
    m_status->setText(text);
}

// Only an IP address of this computer can be listened on; a name is not looked up.
void WebViewDialog::checkAddress()
{
    const QString text = m_bind->text().trimmed();
    const bool valid = text.isEmpty() || !QHostAddress(text).isNull();
    m_addressHint->setText(valid ? QString() : QStringLiteral("Not an IP address"));
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(valid);
}

} // namespace kav
