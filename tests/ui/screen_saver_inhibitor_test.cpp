// The screen saver is held off exactly while a window is full screen: a private session bus
// (dbus-daemon) carries a stand-in for the desktop's org.freedesktop.ScreenSaver service.

#include "screen_saver_inhibitor.h"

#include <QDBusConnection>
#include <QProcess>
#include <QTest>
#include <QWidget>

using namespace kav;

namespace {

// The desktop's side: hands out a cookie per hold and takes it back.
class ScreenSaverService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QList<uint> held;
    QStringList applications;

public slots:
    uint Inhibit(const QString& application, const QString&)
    {
        applications << application;
        held << ++m_lastCookie;
        return m_lastCookie;
    }
    void UnInhibit(uint cookie) { held.removeOne(cookie); }

private:
    uint m_lastCookie = 40;
};

} // namespace

class ScreenSaverInhibitorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        QVERIFY2(m_bus.waitForStarted(), "dbus-daemon is needed (package dbus-daemon, see scripts/setup.sh)");
        QVERIFY(m_bus.waitForReadyRead(10000));
        const QString address = QString::fromLatin1(m_bus.readLine().trimmed());
        m_desktop = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "desktop"));
        m_program = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "program"));
        QVERIFY(m_desktop->isConnected() && m_program->isConnected());
        QVERIFY(m_desktop->registerObject(ScreenSaverInhibitor::kPath, &m_service, QDBusConnection::ExportAllSlots));
        QVERIFY(m_desktop->registerService(ScreenSaverInhibitor::kService));
    }

    void heldWhileAWindowIsFullScreen()
    {
        QCoreApplication::setApplicationName("Kavendor");
        ScreenSaverInhibitor inhibitor(*m_program);
        inhibitor.watchWindows();
        QWidget first, second;
        first.show();
        QCoreApplication::processEvents();
        QVERIFY(!inhibitor.isInhibited());

        first.showFullScreen();
        QTRY_COMPARE_WITH_TIMEOUT(m_service.held.size(), 1, 10000);
        QCOMPARE(m_service.applications, QStringList{"Kavendor"});
        second.showFullScreen();
        first.showNormal();
        QCoreApplication::processEvents();
        QVERIFY(inhibitor.isInhibited());
        second.hide();
        QTRY_COMPARE_WITH_TIMEOUT(m_service.held.size(), 0, 10000);
        QVERIFY(!inhibitor.isInhibited());
    }

private:
    QProcess m_bus; // killed when the test ends
    ScreenSaverService m_service;
    std::unique_ptr<QDBusConnection> m_desktop, m_program;
};

QTEST_MAIN(ScreenSaverInhibitorTest)
#include "screen_saver_inhibitor_test.moc"
