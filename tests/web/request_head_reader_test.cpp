// The check of request heads before the HTTP server sees them, byte by byte as they arrive.

#include <gtest/gtest.h>

#include "request_head_reader.h"

using namespace kav;
using Verdict = RequestHeadReader::Verdict;

namespace {

constexpr const char* kUpgradeHeaders = "Upgrade: websocket\r\nConnection: Upgrade\r\n";

QByteArray upgrade(const QByteArray& path, const QByteArray& headers)
{
    return "GET " + path + " HTTP/1.1\r\nHost: a\r\n" + headers +
           "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
}

} // namespace

TEST(RequestHeadReader, JudgesEachRequestAsItsBytesArrive)
{
    const QByteArray get = "GET / HTTP/1.1\r\nHost: a\r\n\r\n";
    // clang-format off
    const struct { const char* name; QByteArray bytes; Verdict verdict; } cases[] = {
        {"a request", get, Verdict::NeedMore},
        {"two requests, bare LF, an empty line first", "\r\n" + get + "GET /info HTTP/1.0\nA: b\n\n", Verdict::NeedMore},
        {"half a request", "GET /api/st", Verdict::NeedMore},
        {"WebSocket upgrade", upgrade("/ws", "Upgrade: WebSocket\r\nConnection: keep-alive, Upgrade\r\n") + "\x81\x05", Verdict::Upgrade},
        {"upgrade without Connection: Upgrade", upgrade("/ws", "Upgrade: websocket\r\n") + get, Verdict::BadRequest},
        {"upgrade without Upgrade", upgrade("/ws", "Connection: Upgrade\r\n"), Verdict::BadRequest},
        {"upgrade to another protocol", upgrade("/ws", "Upgrade: h2c\r\nConnection: Upgrade\r\n"), Verdict::BadRequest},
        {"upgrade elsewhere", upgrade("/x", kUpgradeHeaders), Verdict::BadRequest},
        {"upgrade without key", "GET /ws HTTP/1.1\r\n" + QByteArray(kUpgradeHeaders) + "\r\n", Verdict::BadRequest},
        {"upgrade over HTTP/1.0", upgrade("/ws", kUpgradeHeaders).replace("HTTP/1.1", "HTTP/1.0"), Verdict::BadRequest},
        {"lower-case method", "get / HTTP/1.1\r\n", Verdict::BadRequest},
        {"binary at once", QByteArray("\x16\x03\x01\x02", 4), Verdict::BadRequest},
        {"method too long", "GETGETGETGETGETGET", Verdict::BadRequest},
        {"control character in a header", "GET / HTTP/1.1\r\nA: \x01\r\n", Verdict::BadRequest},
        {"CR without LF", "GET / HTTP/1.1\rX", Verdict::BadRequest},
        {"no colon", "GET / HTTP/1.1\r\nHost\r\n", Verdict::BadRequest},
        {"folded header", "GET / HTTP/1.1\r\n folded: x\r\n", Verdict::BadRequest},
        {"relative target", "GET index.html HTTP/1.1\r\n", Verdict::BadRequest},
        {"HTTP/2 preface", "PRI * HTTP/2.0\r\n", Verdict::BadRequest},
        {"a body", "GET / HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello", Verdict::BadRequest},
        {"chunked", "GET / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n", Verdict::BadRequest},
        {"POST", "POST /api/state HTTP/1.1\r\n", Verdict::MethodNotAllowed},
        {"target too long", "GET /" + QByteArray(300, 'a'), Verdict::TargetTooLong},
        {"head too large", "GET / HTTP/1.1\r\nA: " + QByteArray(1000, 'b'), Verdict::HeadTooLarge},
        {"bad after a good one", get + "GET / HTTP/9\r\n", Verdict::BadRequest},
    };
    // clang-format on
    for (const auto& testCase : cases) {
        EXPECT_EQ(RequestHeadReader(512, 256, 8).read(testCase.bytes), testCase.verdict) << testCase.name;
        RequestHeadReader byByte(512, 256, 8);
        Verdict last = Verdict::NeedMore;
        for (char c : testCase.bytes)
            last = byByte.read(QByteArrayView(&c, 1));
        EXPECT_EQ(last, testCase.verdict) << testCase.name << ", byte by byte";
    }
}

TEST(RequestHeadReader, LimitsApplyToEachRequestAndToRequestsSentAtOnce)
{
    RequestHeadReader reader(64, 32, 8);
    const QByteArray request = "GET /a HTTP/1.1\r\nHost: somewhere\r\n\r\n";
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(reader.read(request), Verdict::NeedMore) << i;
    EXPECT_EQ(reader.read(request.repeated(8)), Verdict::NeedMore);
    EXPECT_EQ(reader.read(request.repeated(9)), Verdict::TooMany);
}

// Each request says in turn whether the connection closes after its answer.
TEST(RequestHeadReader, TellsWhichRequestsCloseTheConnection)
{
    RequestHeadReader reader(512, 256, 8);
    ASSERT_EQ(reader.read("GET / HTTP/1.1\r\n\r\nGET / HTTP/1.1\r\nConnection: Close\r\n\r\n"
                          "GET / HTTP/1.0\r\n\r\nGET / HTTP/1.0\r\nConnection: keep-alive\r\n\r\nGET /a"),
              Verdict::NeedMore);
    const bool expected[] = {false, true, true, false, false};
    for (bool closes : expected)
        EXPECT_EQ(reader.takeClosesAfterAnswer(), closes);
    EXPECT_EQ(reader.completedHeads(), 4);
    EXPECT_TRUE(reader.inHead());
}
