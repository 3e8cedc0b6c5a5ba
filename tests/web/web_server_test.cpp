// The web server on the loopback address, driven with plain sockets: what it serves and refuses,
// and that no request, however bad, and no client, however slow, stops it serving the others.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QWebSocket>

#include <algorithm>
#include <memory>
#include <vector>

#include "case_table.h"
#include "state_feed.h"
#include "wait_for.h"
#include "web_fixture.h"
#include "web_server.h"

using namespace kav;
using namespace std::chrono_literals;

namespace {

// A cell of the current race as the last update a live client received gives it.
QJsonValue lastCell(const std::vector<QJsonObject>& received, int row, int column)
{
    const auto found =
        std::find_if(received.rbegin(), received.rend(), [](const auto& m) { return m["type"] == "delta"; });
    return found == received.rend() ? QJsonValue()
                                    : (*found)["kinds"]["4"]["rows"][QString::number(row)]["cells"][column];
}

class WebServerTest : public ::testing::Test {
protected:
    void start(const WebLimits& limits = {})
    {
        m_server.reset(); // a server reads its feed until it goes
        m_feed = std::make_unique<StateFeed>(fixture.source, limits.pushInterval);
        m_server = std::make_unique<WebServer>(*m_feed, limits);
        QString error;
        ASSERT_TRUE(m_server->start(QHostAddress::LocalHost, 0, error)) << error.toStdString();
    }

    std::unique_ptr<QTcpSocket> connectSocket(const QHostAddress& from = QHostAddress::LocalHost)
    {
        auto socket = std::make_unique<QTcpSocket>();
        socket->bind(from);
        socket->connectToHost(QHostAddress::LocalHost, m_server->port());
        return socket;
    }

    // Sends the bytes and reads until the server closes the connection or one whole answer came.
    QByteArray exchange(const QByteArray& request, const QHostAddress& from = QHostAddress::LocalHost)
    {
        auto socket = connectSocket(from);
        socket->write(request);
        QByteArray answer;
        waitFor([&] {
            answer += socket->readAll();
            const qsizetype end = answer.indexOf("\r\n\r\n");
            const qsizetype length = answer.mid(answer.indexOf("Content-Length: ") + 16).split('\r')[0].toLongLong();
            return socket->state() == QAbstractSocket::UnconnectedState ||
                   (end > 0 && answer.size() >= end + 4 + length);
        });
        return answer;
    }

    static int statusOf(const QByteArray& answer) { return answer.mid(9, 3).toInt(); }

    static QByteArray get(const QByteArray& path) { return "GET " + path + " HTTP/1.1\r\nHost: test\r\n\r\n"; }

    std::unique_ptr<QWebSocket> openLive(std::vector<QJsonObject>& received)
    {
        auto socket = std::make_unique<QWebSocket>();
        QObject::connect(socket.get(), &QWebSocket::textMessageReceived, [&received](const QString& text) {
            received.push_back(QJsonDocument::fromJson(text.toUtf8()).object());
        });
        socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(m_server->port())));
        return socket;
    }

    test::WebFixture fixture;
    std::unique_ptr<StateFeed> m_feed;
    std::unique_ptr<WebServer> m_server;
};

} // namespace

TEST_F(WebServerTest, ServesPagesStateAndResourcesAndNothingElse)
{
    start();
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/web/served.txt")) {
        const QByteArray answer = exchange(QByteArray::fromStdString(row.at(0)));
        EXPECT_EQ(statusOf(answer), std::stoi(row.at(1))) << row[0] << answer.left(300).toStdString();
        EXPECT_TRUE(answer.contains("Content-Type: " + QByteArray::fromStdString(row.at(2)))) << row[0];
    }
}

// Random bytes, heads too large, half requests and silent connections: each is answered with an error
// or closed, none is left open, the server answers the next sound request, and a page following the
// race meanwhile sees every change.
TEST_F(WebServerTest, TenThousandMalformedRequestsLeaveTheServerServing)
{
    start({.maxPerAddress = 0, .idleTimeout = 300ms});
    std::vector<QJsonObject> received;
    auto live = openLive(received);
    ASSERT_TRUE(waitFor([&] { return !received.empty(); }));
    QRandomGenerator random(16);
    int answered = 0;
    for (int wave = 0; wave < 100; ++wave) {
        fixture.raceModel().setData(fixture.raceModel().index(1, 3), QString::number(wave));
        std::vector<std::unique_ptr<QTcpSocket>> sockets;
        for (int i = 0; i < 100; ++i) {
            QByteArray bytes(16 + random.bounded(2000), Qt::Uninitialized);
            random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
            sockets.push_back(connectSocket());
            sockets.back()->write(bytes);
        }
        ASSERT_TRUE(waitFor([&] {
            return std::all_of(sockets.begin(), sockets.end(),
                               [](const auto& s) { return s->state() == QAbstractSocket::UnconnectedState; });
        })) << "wave "
            << wave;
        for (const auto& socket : sockets)
            answered += socket->readAll().startsWith("HTTP/1.1 400 ");
    }
    EXPECT_GT(answered, 9900) << "of 10000 answered with 400";
    EXPECT_TRUE(waitFor([&] { return lastCell(received, 1, 3) == "99"; }))
        << lastCell(received, 1, 3).toString().toStdString();
    EXPECT_EQ(live->state(), QAbstractSocket::ConnectedState);

    const struct {
        const char* name;
        QByteArray bytes;
        int status; // 0: closed without an answer
    } cases[] = {
        {"header of 200 KB", "GET / HTTP/1.1\r\nX: " + QByteArray(200 * 1024, 'x') + "\r\n\r\n", 431},
        {"target of 3 KB", get("/" + QByteArray(3 * 1024, 'a')), 414},
        {"half a request", "GET / HTTP/1.1\r\nHost: a\r\n", 0},
        {"nothing at all", "", 0},
        {"a hundred requests at once", get("/static/results.js").repeated(100), 429},
    };
    for (const auto& testCase : cases) {
        auto socket = connectSocket();
        socket->write(testCase.bytes);
        EXPECT_TRUE(waitFor([&] { return socket->state() == QAbstractSocket::UnconnectedState; })) << testCase.name;
        EXPECT_EQ(statusOf(socket->readAll()), testCase.status) << testCase.name;
    }
    EXPECT_EQ(statusOf(exchange(get("/api/state"))), 200);
    live.reset();
    EXPECT_TRUE(waitFor([&] { return m_server->connectionCount() == 0; })) << m_server->connectionCount();
}

// Pages that have asked and live clients fill every place: a newcomer is refused cleanly. A
// connection that has sent no whole request yet gives its place to a newcomer.
TEST_F(WebServerTest, TheTwoHundredAndFirstClientIsRefusedCleanlyOrTakesASilentOnesPlace)
{
    start({.maxPerAddress = 0, .idleTimeout = 60s, .headTimeout = 60s});
    std::vector<std::unique_ptr<QTcpSocket>> pages;
    std::vector<std::unique_ptr<QWebSocket>> live;
    std::vector<QJsonObject> received;
    for (int i = 0; i < 150; ++i) {
        pages.push_back(connectSocket());
        pages.back()->write(get("/static/flag.js"));
    }
    for (int i = 0; i < 50; ++i)
        live.push_back(openLive(received));
    ASSERT_TRUE(waitFor([&] {
        return m_server->liveClientCount() == 50 &&
               std::all_of(pages.begin(), pages.end(), [](const auto& page) { return page->bytesAvailable() > 0; });
    })) << m_server->connectionCount();
    EXPECT_EQ(m_server->connectionCount(), 200);

    const QByteArray refused = exchange(get("/api/state"));
    EXPECT_EQ(statusOf(refused), 503) << refused.toStdString();
    EXPECT_EQ(m_server->connectionCount(), 200);

    live.pop_back();
    pages.pop_back();
    ASSERT_TRUE(waitFor([&] { return m_server->connectionCount() == 198; })) << m_server->connectionCount();
    EXPECT_EQ(statusOf(exchange(get("/api/state"))), 200);
    ASSERT_TRUE(waitFor([&] { return m_server->connectionCount() == 198; })) << m_server->connectionCount();

    pages.push_back(connectSocket());
    ASSERT_TRUE(waitFor([&] { return m_server->connectionCount() == 199; })) << m_server->connectionCount();
    auto silent = connectSocket();
    ASSERT_TRUE(waitFor([&] { return m_server->connectionCount() == 200; })) << m_server->connectionCount();
    EXPECT_EQ(statusOf(exchange(get("/api/state"))), 200);
    EXPECT_TRUE(waitFor([&] { return pages.back()->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(silent->state(), QAbstractSocket::ConnectedState);
}

TEST_F(WebServerTest, LiveClientsGetTheStateThenAtMostTenUpdatesASecond)
{
    start({.maxPerAddress = 0});
    std::vector<QJsonObject> received;
    auto socket = openLive(received);
    ASSERT_TRUE(waitFor([&] { return !received.empty(); }));
    EXPECT_EQ(received.front().value("type").toString(), "snapshot");
    // A change on every turn of the event loop: the client hears of it in updates at least a push
    // interval apart, and the last one carries the last value.
    int value = 0;
    const auto change = [&] { fixture.raceModel().setData(fixture.raceModel().index(0, 9), QString::number(++value)); };
    const auto isDelta = [](const QJsonObject& message) { return message["type"] == "delta"; };
    ASSERT_TRUE(waitFor([&] { return change(), std::count_if(received.begin(), received.end(), isDelta) >= 6; }));
    ASSERT_TRUE(waitFor([&] { return lastCell(received, 0, 9) == QString::number(value); }));
    qint64 previous = 0;
    for (const QJsonObject& message : received) {
        if (isDelta(message)) {
            EXPECT_GE(message["time"].toInteger() - std::exchange(previous, message["time"].toInteger()), 99);
        }
    }

    // Clients that vanish while updates go out are dropped; the others keep getting every update.
    std::vector<QJsonObject> ignored;
    std::vector<std::unique_ptr<QWebSocket>> vanishing;
    for (int i = 0; i < 40; ++i)
        vanishing.push_back(openLive(ignored));
    ASSERT_TRUE(waitFor([&] { return m_server->liveClientCount() == 41; }));
    for (; !vanishing.empty(); vanishing.pop_back()) {
        change();
        vanishing.back()->abort();
        ASSERT_TRUE(waitFor([&] { return lastCell(received, 0, 9) == QString::number(value); }));
    }
    EXPECT_TRUE(waitFor([&] { return m_server->liveClientCount() == 1; })) << m_server->liveClientCount();
    // A client that joins later, and /api/state, start from the last state published.
    std::vector<QJsonObject> late;
    auto joiner = openLive(late);
    ASSERT_TRUE(waitFor([&] { return !late.empty(); }));
    const auto firstRowCell = [](const QJsonObject& state) {
        return state["kinds"]["4"]["rows"].toArray().at(0)["cells"][9];
    };
    EXPECT_EQ(firstRowCell(late.front()), QString::number(value));
    const QByteArray state = exchange(get("/api/state"));
    EXPECT_EQ(firstRowCell(QJsonDocument::fromJson(state.mid(state.indexOf("\r\n\r\n") + 4)).object()),
              QString::number(value));
}

// A client that never reads fills its send queue and is dropped, live or not; one that never answers
// a ping is dropped too; a client that reads keeps getting every update meanwhile.
TEST_F(WebServerTest, StalledLiveClientsAreDroppedWithoutHoldingUpOthers)
{
    start({.maxSendQueueBytes = 256 * 1024, .pushInterval = 1ms, .heartbeat = 100ms, .pongTimeout = 60s});
    std::vector<QJsonObject> received;
    auto reader = openLive(received);
    const QByteArray upgrade = "GET /ws HTTP/1.1\r\nHost: test\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
    auto stalled = connectSocket();
    stalled->setReadBufferSize(1024);
    stalled->write(upgrade);
    ASSERT_TRUE(waitFor([&] { return m_server->liveClientCount() == 2; }));
    for (int row = 0; row < 200; ++row)
        fixture.addRow(4, {QString::number(row)});
    // Each round changes every row once the reading client has the last round, so it never lags.
    const auto cell = [](int round) { return QString(200, QChar(u'a' + round % 26)); };
    const auto readerHas = [&](int round) { return lastCell(received, 199, 5) == cell(round); };
    int round = 0;
    ASSERT_TRUE(waitFor(
        [&] {
            if (round == 0 || readerHas(round - 1)) {
                for (int row = 0; row < 200; ++row)
                    fixture.raceModel().setData(fixture.raceModel().index(row, 5), cell(round));
                ++round;
            }
            return m_server->liveClientCount() < 2 || round == 1000;
        },
        60000));
    // Its queue passes the limit once the kernel's buffers are full, some tens of rounds in.
    ASSERT_EQ(m_server->liveClientCount(), 1) << "not dropped after " << round << " rounds";
    EXPECT_TRUE(waitFor([&] { return readerHas(round - 1); }));
    EXPECT_EQ(reader->state(), QAbstractSocket::ConnectedState);
    // An HTTP client that asks without reading is cut off as well, once the answers it leaves unread
    // pass the limit: answers of a megabyte each.
    for (int row = 0; row < 200; ++row)
        for (int column = 3; column < 16; ++column)
            fixture.raceModel().setData(fixture.raceModel().index(row, column), QString(400, u'x'));
    start({.maxRequestsAtOnce = 1000, .maxSendQueueBytes = 256 * 1024});
    auto asking = connectSocket();
    asking->setReadBufferSize(1024);
    int asked = 0; // twenty answers of a megabyte, more than the kernel's buffers hold
    EXPECT_TRUE(waitFor([&] {
        if (asking->bytesToWrite() == 0 && asked < 20)
            asking->write(get("/api/state")), ++asked;
        // Cut off by the server, and counted no more (the server may hear of a connection after its bytes).
        return asked == 20 && asking->state() == QAbstractSocket::UnconnectedState && m_server->connectionCount() == 0;
    })) << asked
        << " asked, " << m_server->connectionCount() << " connections";
    start({.heartbeat = 100ms, .pongTimeout = 500ms});
    auto silent = connectSocket();
    silent->write(upgrade);
    auto answering = openLive(received);
    ASSERT_TRUE(waitFor([&] { return m_server->liveClientCount() == 2; }));
    EXPECT_TRUE(waitFor([&] { return silent->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(m_server->liveClientCount(), 1);
    EXPECT_EQ(answering->state(), QAbstractSocket::ConnectedState);
}
