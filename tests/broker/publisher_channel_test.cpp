// The publisher against a Mosquitto broker of the test's own that takes only TLS. The program's own
// end-to-end tests cover the feed through a broker, its outages and the retained values.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "child_process.h"
#include "feed_publisher.h"
#include "test_broker.h"
#include "wait_for.h"

namespace kav {
namespace {

constexpr int kWait = 20000; // milliseconds; generous for a busy machine

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

    BrokerConnectionSettings connection;
    connection.host = QStringLiteral("localhost"); // the name the certificate was made for
    connection.port = broker.port();
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

    BrokerConnectionSettings connection;
    connection.host = QStringLiteral("127.0.0.1");
    connection.port = broker.port();
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

} // namespace
} // namespace kav
