// The kavendor program publishing a replayed race to a real Mosquitto broker, and other kavendor
// programs taking their feed from it: from the start, late, and across a broker restart.

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebSocket>

#include <memory>

#include <signal.h>

#include "api_state.h"
#include "child_process.h"
#include "qstring_printer.h"
#include "relays.h"
#include "temporary_folder.h"
#include "test_broker.h"
#include "wait_for.h"

namespace kav {
namespace {

constexpr int kWait = 60000; // milliseconds
const QString kFeed = QStringLiteral(KAV_TEST_DATA "/feeds/race6.feed");

// A program of the test in its own folder (killed when it goes, as a QProcess is), with markers that do not age while
// the race is replayed, so that programs reading the same lines at slightly different moments show the same pictures.
struct Program {
    Program(const QTemporaryDir& dir, const QString& name, const QStringList& arguments,
            const QString& communication = {})
        : folder(dir.filePath(name))
    {
        writeFile((folder + "/Kavendor.ini").toStdString(), "[MainWin]\r\nMarkerDelay=30\r\n");
        if (!communication.isEmpty())
            writeFile((folder + "/Communication.ini").toStdString(), communication.toStdString());
        process.start(KAV_PROGRAM, QStringList{"--config-dir", folder, "--dump", folder + "/out"} + arguments);
    }
    void waitForExit()
    {
        if (!process.waitForFinished(kWait))
            process.kill();
        EXPECT_EQ(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, 0)
            << process.readAllStandardError().toStdString();
    }
    int linesReceived() const
    {
        return int(std::ranges::count(readFile((folder + "/received.feed").toStdString()), '\n'));
    }
    QString folder;
    QProcess process;
};

// A display taking its feed from the broker and recording it.
struct Display : Program {
    Display(const QTemporaryDir& dir, const QString& name, const test::TestBroker& broker, const QString& topic,
            const QStringList& more = {})
        : Program(dir, name, QStringList{"--record", dir.filePath(name) + "/received.feed"} + more,
                  feedFromBroker(broker, topic, name))
    {
    }
};

bool subscribed(test::TestBroker& broker, const QString& clientId, const QString& topic)
{
    return waitFor([&] { return broker.log().contains(clientId + " 1 " + topic + "/status"); }, kWait);
}

void expectSameDump(const QString& expected, const QString& actual)
{
    const QStringList files = QDir(expected).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(QDir(actual).entryList(QDir::Files, QDir::Name), files);
    for (const QString& file : files)
        EXPECT_EQ(readFile((actual + '/' + file).toStdString()), readFile((expected + '/' + file).toStdString()))
            << file.toStdString();
}

// The race standings without the marker column, whose pictures age with the clock; split at every
// comma, which is enough to compare two dumps.
QList<QStringList> standings(const QString& folder)
{
    QList<QStringList> rows;
    for (const QString& line : QString::fromStdString(readFile((folder + "/out/ResultWin1.csv").toStdString()))
                                   .split("\r\n", Qt::SkipEmptyParts)) {
        rows.append(line.split(u','));
        rows.last().removeAt(1);
    }
    return rows;
}

// Whatever a display missed, the publisher's history brings it the lines themselves: its recording is
// the feed, line for line, and it shows what the publisher shows.
void expectSawEverything(const Program& display, const QString& publisherFolder)
{
    const std::string feed = readFile(kFeed.toStdString());
    EXPECT_TRUE(waitFor([&] { return readFile((display.folder + "/received.feed").toStdString()) == feed; }, kWait))
        << display.folder.toStdString();
    if (!publisherFolder.isEmpty())
        expectSameDump(publisherFolder + "/out", display.folder + "/out");
}

// The publisher's prefix follows the run's name; the displays follow any run, from the start, joining
// at a quarter and three quarters of the race, and after the finish.
TEST(ProgramWithBroker, DisplaysFromTheStartLateAndAfterTheFinishShowWhatThePublisherShows)
{
    test::TestBroker broker;
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    QTemporaryDir dir;
    Display early(dir, "display-early", broker, "kavendor/+");
    ASSERT_TRUE(subscribed(broker, "display-early", "kavendor/+"));
    Program publisher(dir, "publisher", {"--replay", kFeed, "--rate", "100", "--mqtt", broker.address()});
    std::vector<std::unique_ptr<Display>> late;
    for (const int share : {25, 75}) {
        ASSERT_TRUE(waitFor([&] { return early.linesReceived() > 351 * share / 100; }, kWait));
        late.push_back(std::make_unique<Display>(dir, QStringLiteral("display-%1").arg(share), broker, "kavendor/+"));
    }
    for (Program* program : std::initializer_list<Program*>{&publisher, &early, late[0].get(), late[1].get()})
        program->waitForExit();
    for (const Display* display : {&early, late[0].get(), late[1].get()})
        expectSawEverything(*display, publisher.folder);
    // No dump: a display ends its dump when it sees a session end, and this one ended before it came.
    Display after(dir, "display-after", broker, "kavendor/+");
    expectSawEverything(after, {});

    QString error;
    const QJsonObject state =
        QJsonDocument::fromJson(broker.retained("kavendor/race-1-brenmoor-cup/state", error)).object();
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    // The web view's document: the run finished, and the current race's rows (and a header) as the
    // dump's first window shows them. The kind is named, not read from "windows": the last document
    // may be the one of a program closing its windows.
    EXPECT_TRUE(state["run"]["finished"].toBool());
    EXPECT_EQ(state["kinds"]["4"]["rows"].toArray().size() + 1, standings(publisher.folder).size());
    EXPECT_EQ(broker.retained("kavendor/race-1-brenmoor-cup/status", error), "offline") << error.toStdString();
}

// Away for a while as the race runs, five seconds of it: a broker that keeps its sessions hands the
// display every line it queued; one that forgets everything (as a display's session expires in a long
// outage) is subscribed to again; a display that froze is sent only what the broker could queue. The
// lines missed come from the publisher's history.
TEST(ProgramWithBroker, ADisplayAwayMidRaceEndsUpRight)
{
    const struct {
        const char* name;
        test::TestBroker::Options broker;
        bool freezeDisplay;
    } cases[] = {
        {"persistent broker restarted", {true, {}, {}, 0}, false},
        {"forgetful broker restarted", {}, false},
        {"display frozen, the broker queues 20 lines", {false, {}, {}, 20}, true},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        test::TestBroker broker(row.broker);
        ASSERT_TRUE(broker.start()) << broker.error().toStdString();
        QTemporaryDir dir;
        Display display(dir, "display-away", broker, "brenmoor/race");
        ASSERT_TRUE(subscribed(broker, "display-away", "brenmoor/race"));
        Program publisher(dir, "publisher",
                          {"--replay", kFeed, "--rate", "40", "--record", dir.filePath("publisher/received.feed"),
                           "--mqtt", broker.address(), "--mqtt-topic", "brenmoor/race"});
        ASSERT_TRUE(waitFor([&] { return display.linesReceived() > 80; }, kWait));
        if (row.freezeDisplay)
            ::kill(static_cast<pid_t>(display.process.processId()), SIGSTOP);
        else
            broker.stop();
        // Away while 200 lines go by, five seconds of the race at this pace.
        ASSERT_TRUE(
            waitFor([&, from = publisher.linesReceived()] { return publisher.linesReceived() >= from + 200; }, kWait));
        if (row.freezeDisplay)
            ::kill(static_cast<pid_t>(display.process.processId()), SIGCONT);
        else
            ASSERT_TRUE(broker.start()) << broker.error().toStdString();
        publisher.waitForExit();
        display.waitForExit();
        expectSawEverything(display, publisher.folder);
    }
}

// An events message as a row of events.csv, marked when the broker flags it retained.
QString eventRow(const QByteArray& message)
{
    const QJsonObject event = QJsonDocument::fromJson(message.mid(2)).object();
    QStringList fields{QString::number(event["seq"].toInteger())};
    for (const char* key : {"raceTime", "kind", "car", "class", "text"})
        fields << event[key].toString();
    return (message.startsWith("0 ") ? QString() : QStringLiteral("retained: ")) + fields.join(u',');
}

// A replayed dump ends only once the broker has every line and race event, each event once, in order
// and not retained; without a broker it fails and says how many lines and events it could not hand over.
TEST(ProgramWithBroker, ReplayedDumpPublishesEveryLineOrFailsWithTheCount)
{
    test::TestBroker broker;
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    QTemporaryDir dir;
    const QByteArray feed = QByteArray::fromStdString(readFile(kFeed.toStdString()));
    const QStringList replay{"--replay", kFeed, "--dump", dir.filePath("out"), "--mqtt-topic", "brenmoor/race"};
    const auto subscribe = [&](QProcess& process, const QString& id, const QStringList& options) {
        process.start(test::TestBroker::program("mosquitto_sub"),
                      QStringList{"-p", QString::number(broker.port()), "-i", id, "-q", "1"} + options);
        return waitFor([&] { return broker.log().contains(id + " 1 " + options.last()); }, kWait);
    };
    QStringList events; // events.csv's rows
    for (int run = 0; run < 10; ++run) {
        QProcess subscriber, eventSubscriber;
        const QString id = QStringLiteral("counter-%1").arg(run);
        ASSERT_TRUE(subscribe(subscriber, id, {"-N", "-t", "brenmoor/race/feed"}));
        ASSERT_TRUE(subscribe(eventSubscriber, id + "-events",
                              {"-V", "5", "--retain-as-published", "-F", "%r %p", "-t", "brenmoor/race/events"}));
        const ProcessResult published = runProcess(KAV_PROGRAM, replay + QStringList{"--mqtt", broker.address()});
        ASSERT_EQ(published.status, 0) << "run " << run << ": " << published.err.toStdString();
        QByteArray received;
        EXPECT_TRUE(waitFor([&] { return (received += subscriber.readAllStandardOutput()).size() >= feed.size(); }))
            << "run " << run << ": " << received.size() << " of " << feed.size() << " bytes";
        EXPECT_EQ(received, feed) << "run " << run;
        events = QString::fromStdString(readFile(dir.filePath("out/events.csv").toStdString())).split("\r\n");
        events = events.mid(1, events.size() - 2);
        ASSERT_FALSE(events.isEmpty()) << "the race made no events";
        QByteArray messages;
        EXPECT_TRUE(waitFor([&] { return (messages += eventSubscriber.readAll()).count('\n') >= events.size(); }))
            << "run " << run << ": " << messages.count('\n') << " of " << events.size() << " events";
        QStringList eventsReceived;
        for (const QByteArray& message : messages.trimmed().split('\n'))
            eventsReceived.append(eventRow(message));
        EXPECT_EQ(eventsReceived, events) << "run " << run;
    } // the subscribers are killed as they go
    broker.stop();
    const ProcessResult lost = runProcess(KAV_PROGRAM, replay + QStringList{"--mqtt", broker.address()});
    EXPECT_EQ(lost.status, 1);
    const QString lines = QString::number(feed.count('\n'));
    EXPECT_TRUE(lost.err.contains(
        QStringLiteral("did not take %1 of %1 lines and %2 of %2 events").arg(lines).arg(events.size()).toUtf8()))
        << lost.err.toStdString();
}

// An earlier run left its retained values under kavendor/; a display on kavendor/+ that joins the next
// session late shows that session only. The publisher's prefix follows the run's name on one connection
// and leaves nothing under the name it had before.
TEST(ProgramWithBroker, DisplayFollowsTheNewestSessionAndIgnoresLeftovers)
{
    test::TestBroker broker;
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    QTemporaryDir dir;
    Program earlier(dir, "earlier", {"--replay", KAV_TEST_DATA "/feeds/lap_history.feed", "--mqtt", broker.address()});
    earlier.waitForExit();
    Program publisher(dir, "publisher", {"--replay", kFeed, "--rate", "100", "--mqtt", broker.address()});
    const auto publishingConnections = [&] {
        const QString log = broker.log();
        return log.count(" as kavendor-publisher") - log.count("-presence (");
    };
    ASSERT_TRUE(waitFor([&] { return publishingConnections() == 2; }, kWait));
    Display late(dir, "display-late", broker, "kavendor/+");
    publisher.waitForExit();
    late.waitForExit();
    EXPECT_EQ(standings(late.folder), standings(publisher.folder));
    EXPECT_EQ(publishingConnections(), 2) << "a publisher connected more than once";
    QString error;
    EXPECT_EQ(broker.retained("kavendor/no-run/burst", error), QByteArray());
}

// A publisher that dies after its prefix followed the run's name: the broker says "lost" under the
// prefix of the moment, and nothing under the one before.
TEST(ProgramWithBroker, APublisherThatDiesIsLostUnderItsPrefixOfTheMoment)
{
    test::TestBroker broker;
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    QTemporaryDir dir;
    Program publisher(dir, "publisher", {"--replay", kFeed, "--rate", "20", "--mqtt", broker.address()});
    QString error;
    const auto retained = [&](const QString& topic) { return broker.retained(topic, error, 1); };
    ASSERT_TRUE(waitFor([&] { return !retained("kavendor/race-1-brenmoor-cup/run").isEmpty(); }, kWait));
    publisher.process.close(); // killed, and waited for
    EXPECT_TRUE(waitFor([&] { return retained("kavendor/race-1-brenmoor-cup/status") == "lost"; }, kWait));
    EXPECT_EQ(retained("kavendor/no-run/status"), QByteArray());
}

qint64 peakMemoryKiB(const QProcess& process)
{
    const QString status =
        QString::fromStdString(readFile(QStringLiteral("/proc/%1/status").arg(process.processId()).toStdString()));
    const qsizetype at = status.indexOf("VmHWM:");
    return at < 0 ? -1 : status.mid(at + 6).section(u'k', 0, 0).trimmed().toLongLong();
}

void publishRaw(const test::TestBroker& broker, const QStringList& arguments, const QByteArray& input = {})
{
    QProcess publisher;
    publisher.start(test::TestBroker::program("mosquitto_pub"),
                    QStringList{"-p", QString::number(broker.port())} + arguments);
    publisher.write(input);
    publisher.closeWriteChannel();
    ASSERT_TRUE(publisher.waitForFinished(kWait) && publisher.exitCode() == 0)
        << publisher.readAllStandardError().toStdString();
}

// Forged, malformed and oversized messages on the feed's topics: the display drops and counts them, says
// so on standard error and in /api/state, and goes on to show the publisher's race. A message above the
// display's packet limit never reaches it.
TEST(ProgramWithBroker, DisplayDropsAndCountsWhatItCannotTake)
{
    test::TestBroker broker;
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    const quint16 webPort = freePorts(1)[0];
    QTemporaryDir dir;
    Display display(dir, "display-garbage", broker, "brenmoor/race", {"--web", QString::number(webPort)});
    ASSERT_TRUE(subscribed(broker, "display-garbage", "brenmoor/race"));
    constexpr int kGarbage = 10000;
    QByteArray garbage;
    for (int line = 0; line < kGarbage; ++line)
        garbage += "$F,9999,\"00:00:00\",\"forged\"," + QByteArray::number(line) + '\n';
    publishRaw(broker, {"-t", "brenmoor/race/feed", "-q", "1", "-l"}, garbage);
    publishRaw(broker, {"-t", "brenmoor/race/feed", "-V", "5", "-D", "publish", "user-property", "seq", "x:1", "-s"},
               QByteArray(100 * 1024, 'A'));
    const auto dropped = [&](qint64 count) {
        return waitFor([&] { return apiStateRun(webPort)["feedLost"].toInteger() == count; }, kWait);
    };
    ASSERT_TRUE(dropped(kGarbage + 1)) << QJsonDocument(apiStateRun(webPort)).toJson().toStdString();
    // Measured around the large message alone, which a sanitizer's quarantine of freed memory does not blur;
    // the bad status after it shows that the display has had its turn.
    const qint64 memoryBefore = peakMemoryKiB(display.process);
    publishRaw(broker, {"-t", "brenmoor/race/feed", "-s"}, QByteArray(24 * 1024 * 1024, 'B'));
    publishRaw(broker, {"-t", "brenmoor/race/status", "-m", "rubbish"});
    EXPECT_TRUE(dropped(kGarbage + 2)) << QJsonDocument(apiStateRun(webPort)).toJson().toStdString();
    EXPECT_LT(peakMemoryKiB(display.process) - memoryBefore, 16 * 1024) << "the large message reached the display";

    Program publisher(dir, "publisher",
                      {"--replay", kFeed, "--mqtt", broker.address(), "--mqtt-topic", "brenmoor/race"});
    publisher.waitForExit();
    display.waitForExit();
    expectSameDump(publisher.folder + "/out", display.folder + "/out");
    EXPECT_TRUE(display.process.readAllStandardError().contains(
        QStringLiteral("%1 messages too large, %2 malformed messages").arg(1).arg(kGarbage + 1).toUtf8()));
}

// Two relays (headless programs fed by the broker) behind nginx, configured as the manual shows: pages
// and 500 live clients through the proxy get the publisher's race, a relay that dies is taken out while
// the other serves on, and that one ends cleanly when stopped, having said each change of its state.
TEST(ProgramWithBroker, RelaysBehindAProxyServeTheRaceAndOutliveOneOfThem)
{
    ASSERT_TRUE(toolInstalled("nginx"));
    test::TestBroker broker;
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    QTemporaryDir dir;
    const QList<quint16> ports = freePorts(3);
    Relay first(dir, "relay-1", broker, ports[0]), second(dir, "relay-2", broker, ports[1]);
    Proxy proxy(dir, ports[2], {ports[0], ports[1]});
    for (const char* relay : {"relay-1", "relay-2"})
        ASSERT_TRUE(subscribed(broker, relay, "kavendor/+"));
    ASSERT_TRUE(waitFor([&] { return getJson(ports[2], "/health")["status"] == "ok"; }, kWait))
        << readFile((proxy.folder + "/error.log").toStdString());
    Program publisher(dir, "publisher", {"--replay", kFeed, "--rate", "100", "--mqtt", broker.address()});
    publisher.waitForExit();
    // The rows' texts; their markers age with each relay's own clock.
    const auto rows = [&](quint16 port) {
        QJsonArray cells;
        for (const QJsonValue row : getJson(port, "/api/state")["kinds"].toObject()["4"].toObject()["rows"].toArray())
            cells.append(row.toObject()["cells"]);
        return cells;
    };
    // Both relays took the whole race when they agree and each counts every line of the feed.
    const auto settled = [&] {
        return apiStateRun(ports[0])["lines"].toInt() == 351 && apiStateRun(ports[1])["lines"].toInt() == 351 &&
               rows(ports[0]) == rows(ports[1]);
    };
    ASSERT_TRUE(waitFor(settled, kWait)) << apiStateRun(ports[0])["lines"].toInt() << " "
                                         << apiStateRun(ports[1])["lines"].toInt();
    const QJsonArray shown = rows(ports[0]);
    EXPECT_EQ(shown.size() + 1, standings(publisher.folder).size());
    for (int request = 0; request < 4; ++request) // both relays, by turns
        EXPECT_EQ(rows(ports[2]), shown) << request;

    constexpr int kClients = 500;
    std::vector<QWebSocket> clients(kClients);
    int snapshots = 0;
    for (QWebSocket& client : clients) {
        QObject::connect(&client, &QWebSocket::textMessageReceived, [&] { ++snapshots; });
        client.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(ports[2])));
    }
    EXPECT_TRUE(waitFor([&] { return snapshots >= kClients; }, kWait)) << snapshots << " of " << kClients;

    first.process.close(); // killed, and waited for
    for (int request = 0; request < 4; ++request)
        EXPECT_EQ(rows(ports[2]), shown) << "with one relay gone, " << request;
    // A relay says each change of its state, and a service manager's stop ends it cleanly.
    ::kill(static_cast<pid_t>(second.process.processId()), SIGTERM);
    ASSERT_TRUE(second.process.waitForFinished(kWait));
    EXPECT_EQ(second.process.exitStatus() == QProcess::NormalExit ? second.process.exitCode() : -1, 0);
    const QString said = QString::fromUtf8(second.process.readAllStandardError());
    for (const char* line : {"feed connected", "run started: Race 1 - Brenmoor Cup",
                             "run finished: Race 1 - Brenmoor Cup", "stopped by SIGTERM"})
        EXPECT_TRUE(said.contains(QStringLiteral("kavendor: %1\n").arg(line))) << line << " in:\n"
                                                                               << said.toStdString();
}

} // namespace
} // namespace kav
