#include "screen_saver_inhibitor.h"

#include <QApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace kav {
namespace {

QDBusMessage screenSaverCall(const char* method)
{
    return QDBusMessage::createMethodCall(
        QString::fromLatin1(ScreenSaverInhibitor::kService), QString::fromLatin1(ScreenSaverInhibitor::kPath),
        QString::fromLatin1(ScreenSaverInhibitor::kService), QString::fromLatin1(method));
}

bool changesFullScreen(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::WindowStateChange:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange: return true;
    default: return false;
    }
}

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(const QDBusConnection& bus, QObject* parent) : QObject(parent), m_bus(bus) {}

// The desktop also ends the hold when the program leaves the bus; this only makes it prompt.
ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    if (m_cookie)
        sendUnInhibit(*m_cookie);
}

void ScreenSaverInhibitor::watchWindows()
{
    qApp->installEventFilter(this);
    checkWindows();
}

void ScreenSaverInhibitor::setInhibited(bool on)
{
    m_wanted = on;
    if (on && !m_cookie && !m_replyPending)
        sendInhibit();
    if (!on && m_cookie) {
        sendUnInhibit(*m_cookie);
        m_cookie.reset();
    }
}

// Windows change state in bursts (leaving full screen hides, reparents and shows): look once it settled.
bool ScreenSaverInhibitor::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_checkPending && changesFullScreen(*event) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        m_checkPending = true;
        QTimer::singleShot(0, this, &ScreenSaverInhibitor::checkWindows);
    }
    return QObject::eventFilter(watched, event);
}

void ScreenSaverInhibitor::checkWindows()
{
    m_checkPending = false;
    const QWidgetList windows = QApplication::topLevelWidgets();
    setInhibited(std::any_of(windows.begin(), windows.end(),
                             [](const QWidget* window) { return window->isVisible() && window->isFullScreen(); }));
}

void ScreenSaverInhibitor::sendInhibit()
{
    if (!m_bus.isConnected())
        return;
    QDBusMessage call = screenSaverCall("Inhibit");
    call << QCoreApplication::applicationName() << QStringLiteral("A result window is shown full screen");
    m_replyPending = true;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &ScreenSaverInhibitor::takeCookie);
}

// A hold given up while the desktop was still answering is handed back at once.
void ScreenSaverInhibitor::takeCookie(QDBusPendingCallWatcher* watcher)
{
    watcher->deleteLater();
    m_replyPending = false;
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError())
        return;
    m_cookie = reply.value();
    if (!m_wanted)
        setInhibited(false);
}

void ScreenSaverInhibitor::sendUnInhibit(uint cookie)
{
    QDBusMessage call = screenSaverCall("UnInhibit");
    call << cookie;
    m_bus.send(call);
}

} // namespace kav
