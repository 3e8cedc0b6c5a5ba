#include <gtest/gtest.h>

#include <string>

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

TEST(TimeValues, FeedTextsReadTheirDigitsRightAlignedAndTheFractionLeftAligned)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1:23.4", "00:01:23.4000"},
        {"83.4", "00:01:23.4000"},
        {"1:02:03", "01:02:03.0000"},
        {"", "00:00:00.0000"},
        {"abc", "00:00:00.0000"},
        {"1:2:3", "00:01:23.0000"},
        {".5", "00:00:00.5000"},
        {"5.", "00:00:05.0000"},
        {"-00:00:01.5", "00:00:01.5000"},
        {"1:23.45678", "00:01:23.4567"},
        {"00:01:23.456789012", "00:01:23.4567"},
        {"123456789:00", "12:34:56.7890"},
        {"1.2.3", "00:00:01.2300"},
        {"00:59:59.999", "00:59:59.9990"},
        {"99:00:00.0000", "50:00:00.0000"},
        {"51:00:00.0000", "50:00:00.0000"},
        {"50:59:59.9999", "50:59:59.9999"},
        {"99:99:99.9999", "51:40:39.9999"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(read(text), expected) << '"' << text << '"';
}

TEST(TimeValues, FullTextFormAndItsLimits)
{
    const std::pair<TimeValue, const char*> cases[] = {
        {0, "00:00:00.0000"},          {834000, "00:01:23.4000"},        {-15000, "00-00-01.5000"},
        {2123999999, "58:59:59.9999"}, {2124000000, "xx:xx:xx.xxxx"},    {-2124000000, "xx:xx:xx.xxxx"},
        {INT32_MIN, "xx:xx:xx.xxxx"},  {kEmptyLapTime, "00:59:59.9990"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(timeToText(value), text) << value;
    std::tm tm{};
    tm.tm_hour = 14;
    tm.tm_min = 5;
    tm.tm_sec = 9;
    EXPECT_EQ(dateTimeToTime(tm, 250), 14 * kTicksPerHour + 5 * kTicksPerMinute + 92500) << "milliseconds";
}

TEST(TimeValues, FormatTimeAcrossCutAndBlankModes)
{
    EXPECT_EQ(formatTime(0, 3, 0), "       0.0000");
    EXPECT_EQ(formatTime(4, 0, 36000000), "01:00:00");
    EXPECT_EQ(formatTime(10, 3, 834000), " 1:23");
    EXPECT_EQ(formatTime(0, 4, -1), "xx:xx:xx.xxxx");
    EXPECT_EQ(formatTime(0, 0, -1), "00-00-00.0001");
    EXPECT_EQ(formatTime(0, 3, 12 * kTicksPerMinute + 51230), "   12:05.1230");
    EXPECT_EQ(formatTime(0, 3, 3723 * kTicksPerSecond), " 1:02:03.0000");
    EXPECT_EQ(formatTime(0, 3, -15000), "       1.5000");

    // Every cut of one value, unblanked: digits beyond the cut are dropped, not rounded.
    const TimeValue t = 3723 * kTicksPerSecond + 4567;
    const char* const cuts[] = {"01:02:03.4567", "01:02:03.456", "01:02:03.45", "01:02:03.4",   "01:02:03", "01:02",
                                "02:03.4567",    "02:03.456",    "02:03.45",    "02:03.4",      "02:03",    "03.4567",
                                "03.456",        "03.45",        "03.4",        "01:02:03.4567"};
    for (int cut = 0; cut <= 15; ++cut)
        EXPECT_EQ(formatTime(cut, 0, t), cuts[cut]) << "cut " << cut;

    // Each blank mode on a value with zero hours and minutes, and on a negative one.
    const TimeValue small = 51230;
    const char* const blanks[] = {"00:00:05.1230", " 0:00:05.1230", "    0:05.1230", "       5.1230", "00:00:05.1230",
                                  " 0:00:05.1230", "    0:05.1230", "       5.1230", "00:00:05.1230"};
    for (int blank = 0; blank <= 8; ++blank) {
        EXPECT_EQ(formatTime(0, blank, small), blanks[blank]) << "blank " << blank;
        const bool nonNegative = blank >= 4 && blank <= 7;
        EXPECT_EQ(formatTime(0, blank, -small) == "xx:xx:xx.xxxx", nonNegative) << "blank " << blank;
    }
    // Blanking comes before cutting.
    EXPECT_EQ(formatTime(11, 3, small), " 5.1230");
    EXPECT_EQ(formatTime(7, 3, small), "    5.123");
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
