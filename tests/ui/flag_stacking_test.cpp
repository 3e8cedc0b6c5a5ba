// The flag window's place among the program's windows as the window manager keeps it (openbox on an X
// server of the test's own): boxes stay above it and keep the keyboard, a full-screen result window
// clicked stays below it, and the flag appears without taking the keyboard.
#include "flag_window.h"
#include "ui_prompter.h"

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace kav;

namespace {

// The root window's list of its clients, bottom first, then the active one last.
QList<WId> stackingThenActive()
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {"-root", "_NET_CLIENT_LIST_STACKING", "_NET_ACTIVE_WINDOW"});
    xprop.waitForFinished();
    QList<WId> ids;
    for (const auto& match :
         QRegularExpression(QStringLiteral("0x[0-9a-f]+")).globalMatch(QString::fromLatin1(xprop.readAll())))
        ids << match.captured().toULongLong(nullptr, 16);
    return ids;
}

WId activeWindow()
{
    const QList<WId> ids = stackingThenActive();
    return ids.isEmpty() ? 0 : ids.last();
}

// Both are managed and the first lies above the second.
bool above(const QWidget& upper, const QWidget& lower)
{
    QList<WId> stacking = stackingThenActive();
    stacking.removeLast();
    const qsizetype lowerPlace = stacking.indexOf(lower.winId());
    return lowerPlace >= 0 && stacking.indexOf(upper.winId()) > lowerPlace;
}

QWidget* fullScreenWindow()
{
    auto* window = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showFullScreen();
    return QTest::qWaitForWindowActive(window) ? window : nullptr;
}

} // namespace

class FlagStackingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QFAIL("needs an X server with a window manager: run it through tests/ui/under_window_manager.sh");
        m_main.setGeometry(100, 100, 500, 400);
        m_main.show();
        // A window manager just started may map the first window before it hands out the focus.
        for (int attempt = 0; attempt < 20 && !QTest::qWaitForWindowActive(&m_main, 1000); ++attempt)
            m_main.activateWindow();
        QVERIFY(m_main.isActiveWindow());
    }

    void appearsWithoutTakingTheKeyboard()
    {
        QTRY_COMPARE(activeWindow(), m_main.winId());
        FlagWindow flag;
        flag.showAboveResults();
        QTRY_VERIFY(above(flag, m_main));
        QCOMPARE(activeWindow(), m_main.winId());
    }

    // A box opened before the flag, from the main window or over a full-screen result window.
    void aBoxOpenBeforeTheFlagStaysAboveItAndKeepsTheKeyboard_data()
    {
        QTest::addColumn<bool>("fromFullScreen");
        QTest::newRow("from the main window") << false;
        QTest::newRow("over a full-screen result window") << true;
    }
    void aBoxOpenBeforeTheFlagStaysAboveItAndKeepsTheKeyboard()
    {
        QFETCH(bool, fromFullScreen);
        QWidget* owner = fromFullScreen ? fullScreenWindow() : &m_main;
        QVERIFY(owner);
        QDialog box(owner);
        box.setFixedSize(300, 200);
        FlagWindow flag;
        bool boxAbove = false;
        WId active = 0, boxWindow = 0; // the box gets a new native window when it closes
        QTimer::singleShot(0, &box, [&] {
            if (QTest::qWaitFor([&] { return activeWindow() == box.winId(); })) {
                flag.showAboveResults();
                boxAbove = QTest::qWaitFor([&] { return above(box, flag); });
                active = activeWindow();
                boxWindow = box.winId();
            }
            box.reject();
        });
        prompter().exec(box);
        if (fromFullScreen)
            owner->close();
        QVERIFY(boxAbove);
        QCOMPARE(active, boxWindow);
    }

    // One click on the results activates and raises them; the flag goes back above them.
    void staysAboveAFullScreenWindowThatIsClicked()
    {
        QWidget* results = fullScreenWindow();
        QVERIFY(results);
        FlagWindow flag;
        flag.showAboveResults();
        QTRY_VERIFY(above(flag, *results));
        m_main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m_main));
        results->raise();
        results->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(results));
        QTRY_VERIFY(above(flag, *results));
        results->close();
    }

private:
    QWidget m_main;
};

QTEST_MAIN(FlagStackingTest)
#include "flag_stacking_test.moc"
