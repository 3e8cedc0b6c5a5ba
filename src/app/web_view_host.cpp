#include "web_view_host.h"

#include <QMenu>
#include <QNetworkInterface>

#include <cstdio>

#include "kavendor_device.h"
#include "main_window.h"
#include "ui_prompter.h"
#include "web_server.h"
#include "web_view_dialog.h"

namespace kav {
namespace {

// The address to tell people: the one listened on, or this computer's first network address.
QString hostForPeople(const QString& bind)
{
    if (!bind.isEmpty() && QHostAddress(bind) != QHostAddress::Any && QHostAddress(bind) != QHostAddress::AnyIPv6)
        return QHostAddress(bind).protocol() == QAbstractSocket::IPv6Protocol ? u'[' + bind + u']' : bind;
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (!address.isLoopback() && address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    }
    return QStringLiteral("localhost");
}

} // namespace

WebViewHost::WebViewHost(MainWindow& window, RaceFeed& shown, int commandLinePort, const QString& commandLineBind,
                         const QString& settingsFile)
    : m_window(window), m_commandLinePort(commandLinePort), m_commandLineBind(commandLineBind),
      m_settingsFile(settingsFile), m_adapter(window, shown, m_source), m_feed(m_source),
      m_dialog(new WebViewDialog(&window))
{
    // The pages read the results models themselves, the marker under its name.
    for (int kind = kFirstKind; kind <= kLastKind; ++kind)
        m_source.setModel(kind, &shown.Models.forKind(static_cast<std::uint8_t>(kind)));
    window.settingsMenu()->addAction(QStringLiteral("&Web view..."), this, &WebViewHost::editSettings);
}

WebViewHost::~WebViewHost() = default;

bool WebViewHost::start(QString& error)
{
    WebViewSettings settings =
        m_settingsFile.isEmpty() ? WebViewSettings{} : readWebViewSettings(m_settingsFile.toStdString());
    if (m_commandLinePort >= 0) {
        settings.enabled = true;
        settings.port = m_commandLinePort;
        settings.bindAddress = m_commandLineBind.toStdString();
        return listen(settings, error);
    }
    QString settingsError;
    if (settings.enabled && !listen(settings, settingsError))
        std::fprintf(stderr, "kavendor: web view: %s\n", settingsError.toLocal8Bit().constData());
    return true;
}

QString WebViewHost::address() const
{
    if (!m_server)
        return {};
    return QStringLiteral("http://%1:%2/").arg(hostForPeople(m_bind)).arg(m_server->port());
}

bool WebViewHost::listen(const WebViewSettings& settings, QString& error)
{
    m_server.reset();
    if (!settings.enabled)
        return true;
    m_bind = QString::fromStdString(settings.bindAddress);
    const QHostAddress address = m_bind.isEmpty() ? QHostAddress(QHostAddress::Any) : QHostAddress(m_bind);
    WebLimits limits;
    limits.maxClients = settings.maxClients;
    limits.maxPerAddress = settings.maxClientsPerAddress;
    auto server = std::make_unique<WebServer>(m_feed, limits);
    if (address.isNull() || !server->start(address, static_cast<quint16>(settings.port), error)) {
        if (address.isNull())
            error = QStringLiteral("%1 is not an IP address").arg(m_bind);
        return false;
    }
    m_server = std::move(server);
    return true;
}

void WebViewHost::editSettings()
{
    const WebViewSettings stored =
        m_settingsFile.isEmpty() ? WebViewSettings{} : readWebViewSettings(m_settingsFile.toStdString());
    m_dialog->setSettings(m_server ? WebViewSettings{true, m_server->port(), m_bind.toStdString()} : stored);
    m_dialog->setStatus(m_server ? QStringLiteral("Serving at %1").arg(address()) : QStringLiteral("Not serving."));
    if (prompter().exec(*m_dialog) != QDialog::Accepted)
        return;
    // The dialog sets what it shows; the limits stay as the file has them.
    const WebViewSettings shown = m_dialog->settings();
    WebViewSettings chosen = stored;
    chosen.enabled = shown.enabled;
    chosen.port = shown.port;
    chosen.bindAddress = shown.bindAddress;
    try {
        if (!m_settingsFile.isEmpty())
            writeWebViewSettings(m_settingsFile.toStdString(), chosen);
    } catch (const std::exception& failure) {
        prompter().tell(BoxKind::Error, QString::fromStdString(failure.what()), &m_window);
    }
    QString error;
    if (!listen(chosen, error))
        prompter().tell(BoxKind::Error, QStringLiteral("The web view cannot start: %1").arg(error), &m_window);
}

} // namespace kav
