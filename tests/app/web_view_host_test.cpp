// The web view inside the program: Settings > Web view... switches it on and off, keeps the choice
// in Kavendor.ini, and the pages see the received lines.

#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include "api_state.h"
#include "delayed_race_feed.h"
#include "kavendor_device.h"
#include "main_window.h"
#include "scripted_prompter.h"
#include "test_main_window.h"
#include "web_view_dialog.h"
#include "web_view_host.h"
#include "window_settings.h"

using namespace kav;

namespace {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

} // namespace

TEST(WebViewHost, SettingsDialogSwitchesTheWebViewAndKeepsTheChoice)
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    MainWindow window(testOptions(&dir));
    WebViewHost host(window, window.controller(), -1, {}, window.settingsPath());
    QString error;
    ASSERT_TRUE(host.start(error));
    EXPECT_EQ(host.address(), QString());

    QAction* entry = findAction(*window.settingsMenu(), "&Web view...");
    ASSERT_NE(entry, nullptr);
    const quint16 port = freePort();
    WebViewSettings chosen{true, port, "127.0.0.1"};
    bool okForAName = true;
    prompter.onExec = [&](QDialog& dialog) {
        auto& web = dynamic_cast<WebViewDialog&>(dialog);
        web.bindField()->setText("track.local");
        okForAName = web.buttons()->button(QDialogButtonBox::Ok)->isEnabled();
        web.setSettings(chosen);
        return int(QDialog::Accepted);
    };
    entry->trigger();
    EXPECT_FALSE(okForAName);
    EXPECT_EQ(readWebViewSettings(window.settingsPath().toStdString()), chosen);
    EXPECT_EQ(host.address(), QStringLiteral("http://127.0.0.1:%1/").arg(port));

    window.device()->receiveBytes("$B,5,\"Final, A\"\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return apiStateRun(port)["name"] == "Final, A"; })) << port;
    EXPECT_EQ(apiStateRun(port)["lines"].toInt(), 1);

    chosen.enabled = false;
    entry->trigger();
    EXPECT_EQ(host.address(), QString());
    EXPECT_TRUE(apiStateRun(port).isEmpty());
    EXPECT_EQ(readWebViewSettings(window.settingsPath().toStdString()), chosen);

    // A port in use is told, and nothing serves.
    QTcpServer busy;
    ASSERT_TRUE(busy.listen(QHostAddress::LocalHost));
    chosen = {true, busy.serverPort(), "127.0.0.1"};
    entry->trigger();
    EXPECT_EQ(host.address(), QString());
    ASSERT_FALSE(prompter.messages.isEmpty());
    EXPECT_TRUE(prompter.messages.last().startsWith("The web view cannot start"))
        << prompter.messages.last().toStdString();
}

// The pages' description is read again only when the program tells of a change, and changes told in
// one turn of the event loop make one new description.
TEST(WebViewHost, TheDescriptionFollowsWhatTheProgramTellsOf)
{
    ManualClock clock; // the feed's silence stands still
    MainWindow window(testOptions(nullptr, &clock));
    WebViewHost host(window, window.controller(), -1, {}, {});
    window.device()->receiveBytes("$C,1,\"GT\"\n$C,99,\"Cup\"\n"); // the first and the last class
    ResultWindow* first = window.openResultWindow(windowSettings(kLayoutCurrentRace, {0}, 0));
    window.openResultWindow(windowSettings(kLayoutPractice, {0}, 0));
    first->borderWindow()->close(); // its number is taken again by a window listed last
    window.openResultWindow(windowSettings(kLayoutCurrentRace, {0}, 0));
    QCoreApplication::processEvents();
    int descriptions = 0;
    QObject::connect(&host.source(), &ResultsSource::stateChanged, [&] { ++descriptions; });
    window.controller().Followed.set({"12"});
    window.settings().change([](MainSettings& settings) { settings.Colors[kResultsBackground] = 0x123456; });
    for (int told = 0; told < 2; ++told) // the settings told once already
        window.controller().SettingsChanged.tell();
    EXPECT_TRUE(QTest::qWaitFor([&] { return descriptions > 0; }));
    EXPECT_EQ(descriptions, 1);
    ASSERT_EQ(host.source().state().followed.size(), 1);
    EXPECT_EQ(host.source().state().followed[0].regNo, "12");
    EXPECT_EQ(host.source().state().colors.background, "#563412");
    EXPECT_EQ(host.source().state().classes.size(), 2);
    EXPECT_EQ(host.source().state().windows.front().Number, 1);
    window.controller().Followed.clear(); // the follow list tells by itself
    EXPECT_TRUE(QTest::qWaitFor([&] { return host.source().state().followed.isEmpty(); }));
}

// With a broadcast delay the pages show the delayed race: the run, its flag, cells and events come
// the delay later, while the desktop has them at once.
TEST(WebViewHost, ABroadcastDelayHoldsThePagesBack)
{
    ManualClock clock;
    MainWindow window(testOptions(nullptr, &clock));
    DelayedRaceFeed delayed(*window.device(), window.settings(), clock, window.controller().Followed,
                            std::chrono::seconds(20));
    WebViewHost host(window, delayed.feed(), -1, {}, {});
    const auto shown = [&host] {
        QCoreApplication::processEvents();
        const WebState& state = host.source().state();
        return state.run.name + ' ' + state.run.flag + ' ' + QString::number(state.events.size()) + ' ' +
               host.source().model(kLayoutCurrentRace)->index(0, 2).data().toString();
    };
    const QString before = shown();
    for (const char* line : {"$B,1,\"Race 1\"", "$A,\"1\",\"11\",1,\"Ann\",\"Alpha\",\"NED\",1",
                             "$F,9,\"00:00:10\",\"12:00:10\",\"00:00:10\",\"Yellow\"", "$G,1,\"1\",1,\"00:01:30.000\""})
        window.device()->receiveBytes(QByteArray(line) + '\n');
    EXPECT_EQ(window.controller().Info.flag(), kFlagYellow);
    clock.advance(19 * kTicksPerSecond);
    delayed.lines().releaseDue();
    EXPECT_EQ(shown(), before);
    clock.advance(kTicksPerSecond);
    delayed.lines().releaseDue();
    const QString live = QStringLiteral("Race 1 yellow %1 11").arg(window.controller().State.events().events().size());
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == live; })) << shown().toStdString();
}
