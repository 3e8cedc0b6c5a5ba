#include <gtest/gtest.h>

#include <QSignalSpy>

#include "feed_lines.h"
#include "harness.h"
#include "line_framer.h"

using namespace kav;

// A line longer than the device takes is dropped and counted once; the next record still counts.
TEST(BadLines, ALineTooLongForTheDeviceIsCountedOnce)
{
    Harness h;
    h.feedLines("$B,1,\"" + std::string(LineFramer::kMaxLine, 'y') + "\"");
    EXPECT_EQ(h.Ctl.State.ErrorCount, 1);
    h.feedLines("$B,1,\"Heat 2\"");
    EXPECT_EQ(h.Ctl.State.RunName, "Heat 2");
    EXPECT_EQ(h.Ctl.State.ErrorCount, 1);
}

TEST(NewRun, TheStandByMessageIsCentredOnTheMainWindow)
{
    Harness h;
    QWidget main;
    main.setGeometry(100, 50, 801, 600);
    h.Ctl.Records.setMainWindow(&main);
    h.Message.resize(316, 54);
    h.feedLines("$I,\"12:00:00\",\"26 Nov\"");
    EXPECT_EQ(h.Message.pos(), QPoint((801 - 316) / 2 + 100, (600 - 54) / 2 + 50));
}

// Lines ending in CR LF, names in Windows-1252 and in UTF-8.
TEST(Records, CarriageReturnLineEndsAndWindows1252NamesAreTaken)
{
    Harness h;
    ResultWindow& race = h.open(kLayoutCurrentRace, {0, 3, 4});
    h.feedLines({"$A,\"1\",\"11\",1234,\"Jos\xe9\",\"M\xfcller\",\"NED\",1\r",
                 "$A,\"2\",\"12\",1234,\"Ren\xc3\xa9\",\"Br\xc3\xbc\",\"NED\",1\r", "$G,1,\"1\",1,\"00:01:30.000\"\r",
                 "$G,2,\"2\",1,\"00:01:31.000\"\r"});
    EXPECT_EQ(h.Ctl.State.ErrorCount, 0);
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
    Harness h;
    QSignalSpy changed(&h.Ctl.ChartSource, &RaceSource::changed);
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
