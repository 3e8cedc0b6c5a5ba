#include <gtest/gtest.h>

#include <QSignalSpy>

#include "feed_harness.h"
#include "feed_lines.h"
#include "line_framer.h"

using namespace kav;

// A line longer than the device takes is dropped and counted once; the next record still counts.
TEST(BadLines, ALineTooLongForTheDeviceIsCountedOnce)
{
    FeedHarness h;
    h.feedLines("$B,1,\"" + std::string(LineFramer::kMaxLine, 'y') + "\"");
    EXPECT_EQ(h.Feed.State.ErrorCount, 1);
    h.feedLines("$B,1,\"Heat 2\"");
    EXPECT_EQ(h.Feed.State.RunName, "Heat 2");
    EXPECT_EQ(h.Feed.State.ErrorCount, 1);
}

// Lines ending in CR LF, names in Windows-1252 and in UTF-8.
TEST(Records, CarriageReturnLineEndsAndWindows1252NamesAreTaken)
{
    FeedHarness h;
    ResultsView race = h.open(kLayoutCurrentRace, {0, 3, 4});
    h.feedLines({"$A,\"1\",\"11\",1234,\"Jos\xe9\",\"M\xfcller\",\"NED\",1\r",
                 "$A,\"2\",\"12\",1234,\"Ren\xc3\xa9\",\"Br\xc3\xbc\",\"NED\",1\r", "$G,1,\"1\",1,\"00:01:30.000\"\r",
                 "$G,2,\"2\",1,\"00:01:31.000\"\r"});
    EXPECT_EQ(h.Feed.State.ErrorCount, 0);
    EXPECT_EQ(h.column(race, 3, 2), std::vector<std::string>({"Jos\xc3\xa9", "Ren\xc3\xa9"}));
    EXPECT_EQ(h.cell(race, 4, 1), QString::fromUtf8("M\xc3\xbcller"));
}

namespace {
struct ToldCase {
    const char* name;
    std::string line;
    int told;
};
} // namespace

// The charts are told of each record the lap history takes in, once, and of no other.
TEST(Records, TheChartSourceIsToldOfEachRecordTheLapHistoryTakes)
{
    FeedHarness h;
    QSignalSpy changed(&h.Feed.ChartSource, &RaceSource::changed);
    for (const ToldCase& c : std::vector<ToldCase>{{"competitor", feed::A("7", "7", "Ann", "Berg"), 0},
                                                   {"heartbeat", feed::F(5, "00:01:00", "Green"), 0},
                                                   {"passing", feed::J("7", "00:01:30.000"), 1},
                                                   {"standing", feed::G(1, "7", 1, "00:01:30.000"), 1},
                                                   {"run", "$B,3,\"Heat 3\"", 1},
                                                   {"new run", "$I,\"12:00:00\",\"26 Nov\"", 1},
                                                   {"unknown tag", "$Z,1", 0},
                                                   {"broken standing", "$G,x", 0}}) {
        SCOPED_TRACE(c.name);
        changed.clear();
        h.feedLines(c.line);
        EXPECT_EQ(changed.count(), c.told);
    }
}
