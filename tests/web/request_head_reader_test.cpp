// The check of request heads before the HTTP server sees them, byte by byte as they arrive.

#include <gtest/gtest.h>

#include <algorithm>

#include "case_table.h"
#include "request_head_reader.h"

using namespace kav;
using Verdict = RequestHeadReader::Verdict;

TEST(RequestHeadReader, JudgesEachRequestAsItsBytesArrive)
{
    const std::string verdicts[] = {"NeedMore",      "Upgrade",      "BadRequest", "MethodNotAllowed",
                                    "TargetTooLong", "HeadTooLarge", "TooMany"};
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/web/request_heads.txt")) {
        const QByteArray bytes = QByteArray::fromStdString(row.at(1));
        const auto verdict = Verdict(std::find(std::begin(verdicts), std::end(verdicts), row.at(2)) - verdicts);
        EXPECT_EQ(RequestHeadReader(512, 256, 8).read(bytes), verdict) << row[0];
        RequestHeadReader byByte(512, 256, 8);
        Verdict last = Verdict::NeedMore;
        for (char c : bytes)
            last = byByte.read(QByteArrayView(&c, 1));
        EXPECT_EQ(last, verdict) << row[0] << ", byte by byte";
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
