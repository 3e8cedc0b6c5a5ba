// The publisher against a Mosquitto broker of the test's own that takes only TLS. The program's own
// end-to-end tests cover the feed through a broker, its outages and the retained values.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "child_process.h"
#include "feed_publisher.h"
#include "mqtt_client.h"
#include "mqtt_feed_channel.h"
#include "session_follower.h"
#include "test_broker.h"
#include "topic_names.h"
#include "wait_for.h"

namespace kav {
namespace {

constexpr int kWait = 20000; // milliseconds; generous for a busy machine

BrokerConnectionSettings loopback(const test::TestBroker& broker)
{
    BrokerConnectionSettings connection;
    connection.host = QStringLiteral("127.0.0.1");
    connection.port = broker.port();
    return connection;
}

TEST(Publisher, TlsWithTheBrokersAuthorityConnectsAndAStrangeAuthorityIsRefused)
{
    ASSERT_TRUE(toolInstalled("openssl"));
    QTemporaryDir ours, strange;
    for (const QTemporaryDir* dir : {&ours, &strange}) // self-signed for "localhost", its own authority
        ASSERT_EQ(runProcess("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=localhost",
                                         "-addext", "subjectAltName=DNS:localhost", "-keyout",
                                         dir->filePath("server.key"), "-out", dir->filePath("server.crt")})
                      .status,
                  0);
    test::TestBroker broker({.tlsFolder = ours.path(), .passwordFile = {}});
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();

    BrokerConnectionSettings connection = loopback(broker);
    connection.host = QStringLiteral("localhost"); // the name the certificate was made for
    connection.useTls = true;
    connection.caFile = strange.filePath("server.crt");
    FeedPublisher publisher;
    publisher.setTopicPrefix(QStringLiteral("brenmoor/race"));
    publisher.start(connection);
    ASSERT_TRUE(waitFor([&] { return publisher.brokerStatus().state == BrokerStatus::State::Retrying; }, kWait));
    EXPECT_TRUE(publisher.brokerStatus().problem.contains("TLS")) << publisher.statusText().toStdString();

    connection.caFile = ours.filePath("server.crt");
    publisher.start(connection);
    publisher.publishLine("$F,1\n");
    EXPECT_TRUE(waitFor([&] { return publisher.outbox().empty(); }, kWait)) << publisher.statusText().toStdString();
}

// A broker that refuses the login: the reason is in the status, and the publisher keeps trying.
TEST(Publisher, RefusedLoginIsReportedAndRetried)
{
    ASSERT_TRUE(toolInstalled("mosquitto_passwd"));
    QTemporaryDir dir;
    const QString passwords = dir.filePath("passwords");
    ASSERT_EQ(runProcess("mosquitto_passwd", {"-c", "-b", passwords, "track", "secret"}).status, 0);
    test::TestBroker broker({.tlsFolder = {}, .passwordFile = passwords});
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();

    BrokerConnectionSettings connection = loopback(broker);
    connection.userName = QStringLiteral("track");
    connection.password = QStringLiteral("wrong");
    FeedPublisher publisher;
    publisher.setTopicPrefix(QStringLiteral("brenmoor/race"));
    publisher.start(connection);
    ASSERT_TRUE(waitFor([&] { return publisher.brokerStatus().problem.startsWith("login refused"); }, kWait))
        << publisher.statusText().toStdString();
    EXPECT_EQ(publisher.brokerStatus().state, BrokerStatus::State::Retrying);
    connection.password = QStringLiteral("secret");
    publisher.start(connection);
    EXPECT_TRUE(waitFor([&] { return publisher.brokerStatus().state == BrokerStatus::State::Connected; }, kWait));
}

// Both publishers on one prefix learn of the other; a restarted publisher is not its own rival, and a
// rival that ends is forgotten.
TEST(Publisher, TwoPublishersOnOnePrefixAreBothTold)
{
    test::TestBroker broker;
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    FeedPublisher first, second;
    for (int start = 0; start < 3; ++start) {
        FeedPublisher* publisher = start < 2 ? &first : &second;
        publisher->setTopicPrefix(QStringLiteral("brenmoor/race"));
        BrokerConnectionSettings connection = loopback(broker);
        connection.clientId = publisher == &first ? QStringLiteral("first") : QStringLiteral("second");
        publisher->start(connection);
        ASSERT_TRUE(waitFor([&] { return publisher->brokerStatus().state == BrokerStatus::State::Connected; }, kWait));
        publisher->publishLine("$F,1\n"); // the status goes out once the lines have
        ASSERT_TRUE(waitFor([&] { return publisher->outbox().empty(); }, kWait));
        if (start < 2) { // its own earlier status came before the line's acknowledgement
            EXPECT_EQ(first.rival().toStdString(), "");
        }
    }
    EXPECT_TRUE(waitFor([&] { return !first.rival().isEmpty() && !second.rival().isEmpty(); }, kWait))
        << first.statusText().toStdString() << " / " << second.statusText().toStdString();
    EXPECT_TRUE(second.statusText().contains("another Kavendor publishes under brenmoor/race"));
    EXPECT_TRUE(second.finish(std::chrono::milliseconds(kWait)).complete());
    EXPECT_TRUE(waitFor([&] { return first.rival().isEmpty(); }, kWait)) << first.statusText().toStdString();
}

// A prefix changed while connected (the run's name changed): the retained values move to the new one
// on the same connection, and the old one keeps none.
TEST(Publisher, APrefixChangedWhileConnectedLeavesNothingUnderTheOldOne)
{
    test::TestBroker broker;
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    FeedPublisher publisher;
    publisher.setTopicPrefix(QStringLiteral("kavendor/race-1"));
    publisher.start(loopback(broker));
    publisher.setRetained(topic::kFlag, "yellow");
    publisher.publishLine("$F,1\n");
    publisher.setBurst("$F,1\n", 1);
    QString error;
    const auto retained = [&](const QString& prefix, const char* name) {
        return broker.retained(prefix + '/' + name, error, 1);
    };
    ASSERT_TRUE(waitFor([&] { return retained("kavendor/race-1", topic::kFlag) == "yellow"; }, kWait));
    publisher.setTopicPrefix(QStringLiteral("kavendor/race-2"));
    ASSERT_TRUE(waitFor([&] { return retained("kavendor/race-2", topic::kFlag) == "yellow"; }, kWait));
    EXPECT_EQ(retained("kavendor/race-2", topic::kStatus), "online");
    EXPECT_EQ(retained("kavendor/race-2", "history/0"), "$F,1\n");
    for (const char* name : {topic::kFlag, topic::kStatus, "history/0"})
        EXPECT_EQ(retained("kavendor/race-1", name), "") << name;
    EXPECT_TRUE(publisher.brokerStatus().state == BrokerStatus::State::Connected);
}

// Race events published while the broker is away wait in a bounded queue, the oldest dropped and
// counted; the rest reach a subscriber in order once the broker is back.
TEST(Publisher, EventsWaitForTheBrokerInABoundedQueue)
{
    test::TestBroker broker({.persistence = true, .tlsFolder = {}, .passwordFile = {}});
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    MqttClient ticker;
    QList<QByteArray> received;
    QObject::connect(&ticker, &MqttClient::messageReceived,
                     [&](const MqttMessage& event) { received << event.payload; });
    ticker.start({loopback(broker), QStringLiteral("ticker"), true, {}, {}, {}, 0});
    ASSERT_TRUE(waitFor([&] { return ticker.isConnected(); }, kWait));
    ASSERT_TRUE(ticker.subscribe({"brenmoor/race/events"}));
    ASSERT_TRUE(waitFor([&] { return broker.log().contains("ticker 1 brenmoor/race/events"); }, kWait));
    FeedPublisher publisher;
    publisher.setTopicPrefix(QStringLiteral("brenmoor/race"));
    publisher.setOutboxCapacity(3);
    publisher.start(loopback(broker));
    ASSERT_TRUE(waitFor([&] { return publisher.brokerStatus().state == BrokerStatus::State::Connected; }, kWait));
    broker.stop();
    ASSERT_TRUE(waitFor([&] { return publisher.brokerStatus().state != BrokerStatus::State::Connected; }, kWait));
    for (int seq = 1; seq <= 5; ++seq)
        publisher.publishEvent(QByteArray::number(seq), seq);
    EXPECT_TRUE(publisher.statusText().contains("; 2 events dropped")) << publisher.statusText().toStdString();
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    EXPECT_TRUE(waitFor([&] { return received.size() >= 3; }, kWait));
    EXPECT_EQ(received, (QList<QByteArray>{"3", "4", "5"}));
}

// A display that says goodbye leaves no session behind to queue lines for it.
TEST(FeedChannel, EndsItsSessionWhenItCloses)
{
    test::TestBroker broker({.persistence = true, .tlsFolder = {}, .passwordFile = {}});
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    MqttSession session{loopback(broker), QStringLiteral("display-gone"), true, {}, {}, {}, 0};
    std::vector<bool> present;
    for (int start = 0; start < 2; ++start) {
        MqttClient client;
        QObject::connect(&client, &MqttClient::connected,
                         [&](bool sessionPresent) { present.push_back(sessionPresent); });
        client.start(session);
        ASSERT_TRUE(waitFor([&] { return client.isConnected(); }, kWait));
        ASSERT_TRUE(client.subscribe({"brenmoor/race/feed"}));
        ASSERT_TRUE(waitFor([&] { return broker.log().contains("display-gone 1 brenmoor/race/feed"); }, kWait));
        client.stop();
    }
    EXPECT_EQ(present, (std::vector<bool>{false, false}));
}

// The "offline" an earlier session left on the broker does not end the feed; one said live does. A
// message without its line end is a line of its own all the same.
TEST(FeedChannel, OnlyALiveOfflineEndsTheFeed)
{
    test::TestBroker broker;
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    MqttClient earlier;
    earlier.start({loopback(broker), QStringLiteral("earlier"), false, {}, {}, {}, 0});
    ASSERT_TRUE(waitFor([&] { return earlier.isConnected(); }, kWait));
    int acknowledged = 0;
    QObject::connect(&earlier, &MqttClient::acknowledged, [&] { ++acknowledged; });
    const QByteArray old = makeSessionId(1000, 1), current = makeSessionId(2000, 2);
    earlier.publish("brenmoor/race/status", "offline", true, old + ":0");
    ASSERT_TRUE(waitFor([&] { return acknowledged == 1; }, kWait));

    MqttFeedSettings settings{loopback(broker), QStringLiteral("brenmoor/race")};
    settings.connection.clientId = QStringLiteral("display-offline");
    MqttFeedChannel channel(settings);
    QStringList events;
    QObject::connect(&channel, &Communication::bytesReceived, [&](const QByteArray& bytes) { events << bytes; });
    QObject::connect(&channel, &Communication::closed, [&] { events << "closed"; });
    channel.open();
    ASSERT_TRUE(waitFor([&] { return broker.log().contains("display-offline 1 brenmoor/race/status"); }, kWait));
    ASSERT_TRUE(waitFor([&] { return channel.statusText().contains("offline"); }, kWait));
    earlier.publish("brenmoor/race/feed", "$F,1", false, current + ":1");
    earlier.publish("brenmoor/race/feed", "$F,2\n", false, current + ":2");
    earlier.publish("brenmoor/race/status", "offline", true, current + ":2");
    EXPECT_TRUE(waitFor([&] { return events.size() == 3; }, kWait));
    EXPECT_EQ(events, (QStringList{"$F,1\n", "$F,2\n", "closed"}));
}

// A publisher whose state starts again (its replay sought) begins a new session on its connection: the
// lines that rebuilt its state reach the display from the history, after the display was told to start
// again, then the live lines follow.
TEST(FeedChannel, APublishersNewSessionStartsTheDisplayAgain)
{
    test::TestBroker broker;
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    MqttFeedSettings settings{loopback(broker), QStringLiteral("brenmoor/race")};
    settings.connection.clientId = QStringLiteral("display-seek");
    MqttFeedChannel channel(settings);
    QStringList events;
    QObject::connect(&channel, &Communication::bytesReceived, [&](const QByteArray& bytes) { events << bytes; });
    QObject::connect(&channel, &Communication::streamRestarted, [&] { events << "again"; });
    channel.open();
    ASSERT_TRUE(waitFor([&] { return broker.log().contains("display-seek 1 brenmoor/race/feed"); }, kWait));
    FeedPublisher publisher;
    publisher.setTopicPrefix(QStringLiteral("brenmoor/race"));
    publisher.start(loopback(broker));
    for (const char* line : {"$F,1\n", "$F,2\n"})
        publisher.publishLine(line);
    ASSERT_TRUE(waitFor([&] { return events.size() == 2; }, kWait)) << events.join(' ').toStdString();
    publisher.startNewSession();
    QStringList expected{"$F,1\n", "$F,2\n", "again"};
    for (int line = 1; line <= 1100; ++line) { // more than two history chunks
        expected << QStringLiteral("$F,r%1\n").arg(line);
        publisher.recordLine(expected.last().toUtf8());
    }
    publisher.publishLine("$F,c\n");
    publisher.setBurst("$F,c\n", publisher.lastSequence());
    expected << "$F,c\n";
    EXPECT_TRUE(waitFor([&] { return events.size() == expected.size(); }, kWait)) << events.size();
    EXPECT_EQ(events, expected);
    EXPECT_EQ(publisher.outbox().lastSequence(), 1101u);
}

} // namespace
} // namespace kav
