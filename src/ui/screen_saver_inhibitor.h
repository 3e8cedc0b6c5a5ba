#pragma once

#include <QDBusConnection>
#include <QObject>

#include <optional>

class QDBusPendingCallWatcher;

namespace kav {

// Holds off the screen saver and display sleep while a window of the program is full screen, through
// the desktop's org.freedesktop.ScreenSaver D-Bus interface. Where there is no session bus, or no such
// service on it, nothing happens.
class ScreenSaverInhibitor : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kService = "org.freedesktop.ScreenSaver";
    static constexpr const char* kPath = "/org/freedesktop/ScreenSaver";

    explicit ScreenSaverInhibitor(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                                  QObject* parent = nullptr);
    ~ScreenSaverInhibitor() override;

    // From now on the screen saver is held off exactly while a window of the program is full screen.
    void watchWindows();
    void setInhibited(bool on);
    bool isInhibited() const { return m_wanted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkWindows();
    void sendInhibit();
    void takeCookie(QDBusPendingCallWatcher* watcher);
    void sendUnInhibit(uint cookie);

    QDBusConnection m_bus;
    bool m_wanted = false;
    bool m_replyPending = false;
    bool m_checkPending = false;
    std::optional<uint> m_cookie;
};

} // namespace kav
