// The publisher and the MQTT feed channel against a real Mosquitto broker of the test's own.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtCore/qtestsupport_core.h>

#include "feed_publisher.h"
#include "mqtt_feed_channel.h"
#include "test_broker.h"
#include "topic_names.h"

namespace kav {
namespace {

constexpr int kWait = 20000; // milliseconds; generous for a busy machine

BrokerConnectionSettings at(const test::TestBroker& broker, const QString& clientId = {})
{
    BrokerConnectionSettings connection;
    connection.host = QStringLiteral("127.0.0.1");
    connection.port = broker.port();
    connection.clientId = clientId;
    return connection;
}

// A display's feed channel whose lines the test collects.
struct Display {
    Display(const test::TestBroker& broker, const QString& topic)
        : channel(MqttFeedSettings{at(broker, QStringLiteral("display-1")), topic})
    {
        QObject::connect(&channel, &TCommunication::bytesReceived, [this](const QByteArray& line) { lines << line; });
        channel.Open();
    }
    MqttFeedChannel channel;
    QList<QByteArray> lines;
};

bool subscribed(test::TestBroker& broker, const QString& topic)
{
    return QTest::qWaitFor([&] { return broker.log().contains(QStringLiteral("display-1 1 %1/status").arg(topic)); },
                           kWait);
}

QList<QByteArray> numberedLines(int first, int last)
{
    QList<QByteArray> lines;
    for (int n = first; n <= last; ++n)
        lines << "$F," + QByteArray::number(n) + "\r\n";
    return lines;
}

TEST(PublisherAndChannel, LinesArriveOnceAndInOrderAndScoreboardsReadTheRetainedValues)
{
    test::TestBroker broker;
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    Display display(broker, QStringLiteral("brenmoor/race"));
    ASSERT_TRUE(subscribed(broker, QStringLiteral("brenmoor/race")));

    FeedPublisher publisher;
    publisher.setTopicPrefix(QStringLiteral("brenmoor/race"));
    publisher.start(at(broker));
    const QList<QByteArray> sent = numberedLines(1, 500);
    for (const QByteArray& line : sent)
        publisher.publishLine(line);
    publisher.setRetained(topic::kState, R"({"flag":"green"})");
    ASSERT_TRUE(QTest::qWaitFor([&] { return display.lines.size() >= sent.size(); }, kWait));
    EXPECT_EQ(display.lines, sent);
    EXPECT_TRUE(QTest::qWaitFor([&] { return display.channel.publisherOnline(); }, kWait));
    QString error;
    EXPECT_EQ(broker.retained("brenmoor/race/state", error), R"({"flag":"green"})") << error.toStdString();
    EXPECT_EQ(broker.retained("brenmoor/race/status", error), "online") << error.toStdString();
    publisher.finish(std::chrono::seconds(5));
    EXPECT_EQ(broker.retained("brenmoor/race/status", error), "offline") << error.toStdString();
}

// Down at the start and away for a while: 10,050 lines wait for it, the 50 oldest are dropped and
// counted, the display shows the lost feed, and the rest arrives in order once the broker is back.
TEST(PublisherAndChannel, BrokerDownAtStartIsRetriedAndTheBufferedLinesFollowInOrder)
{
    test::TestBroker::Options options;
    options.persistence = true;
    test::TestBroker broker(options);
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    Display display(broker, QStringLiteral("brenmoor/race"));
    ASSERT_TRUE(subscribed(broker, QStringLiteral("brenmoor/race")));
    broker.stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return display.channel.statusText().startsWith("Feed lost: "); }, kWait));

    FeedPublisher publisher;
    publisher.setTopicPrefix(QStringLiteral("brenmoor/race"));
    publisher.start(at(broker));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return publisher.brokerStatus().state == BrokerStatus::State::Retrying; }, kWait));
    EXPECT_TRUE(publisher.brokerStatus().text().contains("Connection refused"))
        << publisher.brokerStatus().text().toStdString();
    const QList<QByteArray> sent = numberedLines(1, int(LineOutbox::kCapacity) + 50);
    for (const QByteArray& line : sent)
        publisher.publishLine(line);
    EXPECT_EQ(publisher.outbox().dropped(), 50u);
    EXPECT_TRUE(publisher.statusText().contains("10000 lines waiting; 50 lines dropped"))
        << publisher.statusText().toStdString();

    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return display.lines.size() >= sent.size() - 50; }, kWait))
        << display.lines.size() << " lines; " << display.channel.statusText().toStdString();
    EXPECT_EQ(display.lines, sent.mid(50));
    EXPECT_EQ(display.channel.sequencer().duplicates(), 0u);
    EXPECT_TRUE(display.channel.statusText().startsWith("Feed from 127.0.0.1:"))
        << display.channel.statusText().toStdString();
}

TEST(PublisherAndChannel, RefusedLoginIsReportedAndRetried)
{
    QString error;
    const QString passwd = test::TestBroker::program(QStringLiteral("mosquitto_passwd"), &error);
    ASSERT_FALSE(passwd.isEmpty()) << error.toStdString();
    QTemporaryDir dir;
    const QString passwords = dir.filePath("passwords");
    ASSERT_EQ(QProcess::execute(passwd, {"-c", "-b", passwords, "track", "secret"}), 0);
    test::TestBroker::Options options;
    options.passwordFile = passwords;
    test::TestBroker broker(options);
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();

    BrokerConnectionSettings connection = at(broker);
    connection.userName = QStringLiteral("track");
    connection.password = QStringLiteral("wrong");
    FeedPublisher publisher;
    publisher.setTopicPrefix(QStringLiteral("brenmoor/race"));
    publisher.start(connection);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return publisher.brokerStatus().problem.startsWith(QLatin1String("login refused")); }, kWait))
        << publisher.statusText().toStdString();
    EXPECT_EQ(publisher.brokerStatus().state, BrokerStatus::State::Retrying);
    connection.password = QStringLiteral("secret");
    publisher.start(connection);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return publisher.brokerStatus().state == BrokerStatus::State::Connected; }, kWait));
}

TEST(PublisherAndChannel, TlsWithTheBrokersAuthorityConnectsAndAStrangeAuthorityIsRefused)
{
    QTemporaryDir ours, strange;
    QString error;
    ASSERT_TRUE(test::TestBroker::makeCertificates(ours.path(), error)) << error.toStdString();
    ASSERT_TRUE(test::TestBroker::makeCertificates(strange.path(), error)) << error.toStdString();
    test::TestBroker::Options options;
    options.tlsFolder = ours.path();
    test::TestBroker broker(options);
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();

    BrokerConnectionSettings connection = at(broker);
    connection.host = QStringLiteral("localhost"); // the name the certificate was made for
    connection.useTls = true;
    connection.caFile = strange.filePath("ca.crt");
    FeedPublisher publisher;
    publisher.setTopicPrefix(QStringLiteral("brenmoor/race"));
    publisher.start(connection);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return publisher.brokerStatus().state == BrokerStatus::State::Retrying; }, kWait));
    EXPECT_TRUE(publisher.brokerStatus().problem.contains("TLS")) << publisher.statusText().toStdString();

    connection.caFile = ours.filePath("ca.crt");
    publisher.start(connection);
    publisher.publishLine("$F,1\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return publisher.outbox().empty(); }, kWait))
        << publisher.statusText().toStdString();
}

} // namespace
} // namespace kav
