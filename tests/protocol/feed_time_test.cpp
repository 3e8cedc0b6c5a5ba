#include <gtest/gtest.h>

#include <string>

#include "case_table.h"
#include "feed_time.h"

namespace kav {
namespace {

// A time text of the feed as the records read it, in the full text form.
std::string read(const char* text)
{
    FeedTime time;
    time.setText(text);
    return timeToText(time.value());
}

TEST(TimeValues, FeedTextsReadShownAndFormattedAcrossCutAndBlankModes)
{
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/protocol/feed_times.txt")) {
        if (row.at(0) == "read")
            EXPECT_EQ(read(row.at(1).c_str()), row.at(2)) << '"' << row[1] << '"';
        else if (row[0] == "shown")
            EXPECT_EQ(timeToText(std::stoi(row.at(1))), row.at(2)) << row[1];
        else
            EXPECT_EQ(formatTime(std::stoi(row.at(1)), std::stoi(row.at(2)), std::stoi(row.at(3))), row.at(4))
                << row[0] << " cut " << row[1] << ", blank " << row[2] << ", " << row[3];
    }
    // A negative value shows only in the blank modes that allow it.
    for (int blank = 0; blank <= 8; ++blank)
        EXPECT_EQ(formatTime(0, blank, -51230) == "xx:xx:xx.xxxx", blank >= 4 && blank <= 7) << "blank " << blank;
    std::tm tm{};
    tm.tm_hour = 14;
    tm.tm_min = 5;
    tm.tm_sec = 9;
    EXPECT_EQ(dateTimeToTime(tm, 250), 14 * kTicksPerHour + 5 * kTicksPerMinute + 92500) << "milliseconds";
}

TEST(TimeValues, AShownTimeStopsAtTheLargestShowable)
{
    FeedTime t;
    EXPECT_EQ(t.text(), "       0.0000");
    t.setValue(2124000000);
    EXPECT_EQ(t.value(), 2123999999);
    t.setCutMode(6);
    t.setValue(834560);
    EXPECT_EQ(t.text(), " 1:23.4560");
}

} // namespace
} // namespace kav
