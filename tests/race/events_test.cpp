// Race events from short feeds through the record processing: each line and the events it adds.
#include <gtest/gtest.h>

#include <map>

#include "case_table.h"
#include "feed_harness.h"

namespace kav {
namespace {

// Two classes of two cars each; registration numbers 1 to 4 run as cars 11 to 14.
const std::vector<std::string> kField = {R"($C,1,"GT")",
                                         R"($C,2,"Cup")",
                                         R"($A,"1","11",1,"Ann","Alpha","NED",1)",
                                         R"($A,"2","12",2,"Bea","Bravo","NED",1)",
                                         R"($A,"3","13",3,"Cas","Cooper","NED",2)",
                                         R"($A,"4","14",4,"Dan","Dekker","NED",2)"};

// An event as the table writes it: race time, tag, car, class and text.
std::string shown(const RaceEvent& event)
{
    return event.raceTimeText() + ',' + std::string(eventTag(event.kind)) + ',' + event.car + ',' + event.carClass +
           ',' + event.text;
}

std::string shown(const std::deque<RaceEvent>& events, std::uint64_t after)
{
    std::string text;
    for (const RaceEvent& event : events)
        if (event.seq > after)
            text += (text.empty() ? "" : " ; ") + shown(event);
    return text.empty() ? "-" : text;
}

// Rows name their case, a feed line ("field" for kField, "list" to read the whole list) and the events
// it adds; each case starts with a program of its own.
TEST(RaceEvents, FollowTheFeedLineByLine)
{
    std::map<std::string, std::unique_ptr<FeedHarness>> cases;
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/race/events.txt")) {
        ASSERT_EQ(row.size(), 3u) << row[0];
        std::unique_ptr<FeedHarness>& h = cases[row[0]];
        if (!h)
            h = std::make_unique<FeedHarness>();
        const RaceEvents& events = h->Feed.State.events();
        const std::uint64_t before = row[1] == "list" ? 0 : events.lastSeq();
        if (row[1] == "field")
            for (const std::string& line : kField)
                h->feedLines(line);
        else if (row[1] != "list")
            h->feedLines(row[1]);
        EXPECT_EQ(shown(events.events(), before), row[2]) << row[0] << ": " << row[1];
    }
}

TEST(RaceEvents, KeepTheLastFiveHundredNewestLast)
{
    FeedHarness h;
    for (int second = 1; second <= 600; ++second)
        h.feedLines("$F,9999,\"00:00:00\",\"14:00:00\",\"" + timeToText(second * kTicksPerSecond) + "\"," +
                    (second % 2 ? "\"Yellow\"" : "\"Green \""));
    const std::deque<RaceEvent>& events = h.Feed.State.events().events();
    ASSERT_EQ(events.size(), RaceEvents::kMaxEvents);
    EXPECT_EQ(events.front().seq, 101u);
    EXPECT_EQ(shown(events.back()), "00:10:00,FLAG,,,Green flag");
}

} // namespace
} // namespace kav
