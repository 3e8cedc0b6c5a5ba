// The pages show the feed's silence as the general information panel does: /api/state counts the
// seconds since the last received line on the program's own clock, with the panel's colour for it.

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include "clock.h"
#include "kavendor_device.h"
#include "main_window.h"
#include "web_view_host.h"

using namespace kav;

namespace {

// The run as /api/state gives it; empty when nothing answers.
QJsonObject runOf(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.write("GET /api/state HTTP/1.1\r\nHost: test\r\n\r\n");
    QByteArray answer;
    (void)QTest::qWaitFor([&] {
        answer += socket.readAll();
        return answer.endsWith('}') || socket.state() == QAbstractSocket::UnconnectedState;
    });
    return QJsonDocument::fromJson(answer.mid(answer.indexOf("\r\n\r\n") + 4)).object()["run"].toObject();
}

} // namespace

TEST(StaleFeedOnThePages, TheStateCountsTheSilenceOnTheProgramsClock)
{
    QTemporaryDir dir;
    ManualClock clock;
    MainWindowOptions options;
    options.ConfigDir = options.ProgramDir = dir.path() + QLatin1Char('/');
    options.UseChannel = false;
    options.Clock = &clock;
    MainWindow window(options);
    WebViewHost host(window, 0, QStringLiteral("127.0.0.1"), {});
    QString error;
    ASSERT_TRUE(host.start(error)) << error.toStdString();
    const auto port = static_cast<quint16>(host.address().section(u':', -1).section(u'/', 0, 0).toUInt());

    struct Case {
        const char* name;
        int seconds; // the clock moves on this far first
        bool line;   // then a line comes
        int silence;
        QString stale;
    };
    const Case cases[] = {
        {"a line just came", 0, true, 0, "fresh"},   {"ten seconds", 10, false, 10, "fresh"},
        {"past ten seconds", 1, false, 11, "amber"}, {"a minute", 49, false, 60, "amber"},
        {"past a minute", 5, false, 65, "red"},      {"a line again", 0, true, 0, "fresh"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        clock.advance(testCase.seconds * kTicksPerSecond);
        if (testCase.line)
            window.device()->receiveBytes("$B,5,\"Final, A\"\n");
        QJsonObject run;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                run = runOf(port);
                return run["sinceLastLine"].toInt() == testCase.silence && run["stale"] == testCase.stale;
            },
            10000))
            << QJsonDocument(run).toJson().toStdString();
    }
}
