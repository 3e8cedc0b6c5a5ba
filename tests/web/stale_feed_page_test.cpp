// The pages show the feed's silence as the general information panel does: /api/state counts the
// seconds since the last received line on the program's own clock, with the panel's colour for it.

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include "api_state.h"
#include "clock.h"
#include "kavendor_device.h"
#include "main_window.h"
#include "test_main_window.h"
#include "web_view_host.h"

using namespace kav;

TEST(StaleFeedOnThePages, TheStateCountsTheSilenceOnTheProgramsClock)
{
    QTemporaryDir dir;
    ManualClock clock;
    MainWindow window(testOptions(&dir, &clock));
    WebViewHost host(window, window.controller(), 0, QStringLiteral("127.0.0.1"), {});
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
                run = apiStateRun(port);
                return run["sinceLastLine"].toInt() == testCase.silence && run["stale"] == testCase.stale;
            },
            10000))
            << QJsonDocument(run).toJson().toStdString();
    }
}
