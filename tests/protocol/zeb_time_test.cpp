#include <gtest/gtest.h>

#include <string>

#include "zeb_time.h"

namespace kav {
namespace {

TEST(TimeValues, EncodeAndDecode)
{
    EXPECT_EQ(EncodeTime(1, 2, 3, 4), 36000000 + 1200000 + 30000 + 4);
    EXPECT_EQ(EncodeTime(99, 0, 0, 0), 50 * kTicksPerHour);
    EXPECT_EQ(EncodeTime(0, 99, 99, 9999), 99 * kTicksPerMinute + 99 * kTicksPerSecond + 9999);
    EXPECT_EQ(DecodeTime(EncodeTime(12, 34, 56, 7890)), (TDecodedTime{12, 34, 56, 7890}));
    EXPECT_EQ(DecodeTime(-15000), (TDecodedTime{0, 0, -1, -5000}));
}

TEST(TimeValues, FullTextForm)
{
    EXPECT_EQ(TimeToText(0), "00:00:00.0000");
    EXPECT_EQ(TimeToText(834000), "00:01:23.4000");
    EXPECT_EQ(TimeToText(-15000), "00-00-01.5000");
    EXPECT_EQ(TimeToText(2123999999), "58:59:59.9999");
    EXPECT_EQ(TimeToText(2124000000), "xx:xx:xx.xxxx");
    EXPECT_EQ(TimeToText(-2124000000), "xx:xx:xx.xxxx");
    EXPECT_EQ(TimeToText(INT32_MIN), "xx:xx:xx.xxxx");
    EXPECT_EQ(TimeToTextNonNegative(-1), "xx:xx:xx.xxxx");
    EXPECT_EQ(TimeToTextNonNegative(kEmptyLapTime), "00:59:59.9990");
}

TEST(TimeValues, NormaliseReadsDigitsRightAlignedAndFractionLeftAligned)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"83.4", "00:00:83.4000"},
        {"1:23.4", "00:01:23.4000"},
        {"1:02:03", "01:02:03.0000"},
        {"12", "00:00:12.0000"},
        {"", "00:00:00.0000"},
        {"1:2:3", "00:01:23.0000"},
        {".5", "00:00:00.5000"},
        {"5.", "00:00:05.0000"},
        {"-00:00:01.5", "00:00:01.5000"},
        {"1:23.45678", "00:01:23.4567"},
        {"00:01:23.456789012", "00:01:23.4567"},
        {"123456789:00", "12:34:56.7890"},
        {"abc", "00:00:00.0000"},
        {"1.2.3", "00:00:01.2300"},
        {"00:59:59.999", "00:59:59.9990"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormaliseTimeText(c.text), c.expected) << '"' << c.text << '"';
}

TEST(TimeValues, TextToTimeIsStrict)
{
    EXPECT_EQ(TextToTime("01:02:03.0004"), EncodeTime(1, 2, 3, 4));
    EXPECT_EQ(TextToTime("00:99:99.9999"), EncodeTime(0, 99, 99, 9999));
    EXPECT_THROW(TextToTime("01:0a:03.0004"), ETimeConversionError);
    EXPECT_THROW(TextToTime("1:2"), ETimeConversionError);
    try {
        TextToTime("");
        FAIL() << "no error raised";
    } catch (const ETimeConversionError& e) {
        EXPECT_STREQ(e.what(), "Time conversion error");
    }
}

TEST(TimeValues, BlankLeadingZerosByLevel)
{
    EXPECT_EQ(BlankLeadingZeros("00:00:05.1230", 3), "       5.1230");
    EXPECT_EQ(BlankLeadingZeros("00:12:05.1230", 3), "   12:05.1230");
    EXPECT_EQ(BlankLeadingZeros("01:02:03.0000", 3), " 1:02:03.0000");
    EXPECT_EQ(BlankLeadingZeros("00:00:05.1230", 1), " 0:00:05.1230");
    EXPECT_EQ(BlankLeadingZeros("00:00:05.1230", 2), "    0:05.1230");
    EXPECT_EQ(BlankLeadingZeros("00:05:05.1230", 3), "    5:05.1230");
    EXPECT_EQ(BlankLeadingZeros("00-00-01.5000", 3), "       1.5000");
    EXPECT_EQ(BlankLeadingZeros("xx:xx:xx.xxxx", 3), "xx:xx:xx.xxxx");
}

TEST(TimeValues, FormatTimeAcrossCutAndBlankModes)
{
    EXPECT_EQ(FormatTime(0, 3, 0), "       0.0000");
    EXPECT_EQ(FormatTime(4, 0, 36000000), "01:00:00");
    EXPECT_EQ(FormatTime(10, 3, 834000), " 1:23");
    EXPECT_EQ(FormatTime(0, 4, -1), "xx:xx:xx.xxxx");
    EXPECT_EQ(FormatTime(0, 0, -1), "00-00-00.0001");

    // Every cut of one value, unblanked: digits beyond the cut are dropped, not rounded.
    const TimeValue t = EncodeTime(1, 2, 3, 4567);
    const char* const cuts[] = {"01:02:03.4567", "01:02:03.456", "01:02:03.45", "01:02:03.4",   "01:02:03", "01:02",
                                "02:03.4567",    "02:03.456",    "02:03.45",    "02:03.4",      "02:03",    "03.4567",
                                "03.456",        "03.45",        "03.4",        "01:02:03.4567"};
    for (int cut = 0; cut <= 15; ++cut)
        EXPECT_EQ(FormatTime(cut, 0, t), cuts[cut]) << "cut " << cut;
    EXPECT_EQ(FormatTime(200, 0, t), "01:02:03.4567");

    // Each blank mode on a value with zero hours and minutes, and on a negative one.
    const TimeValue small = EncodeTime(0, 0, 5, 1230);
    const char* const blanks[] = {"00:00:05.1230", " 0:00:05.1230", "    0:05.1230", "       5.1230", "00:00:05.1230",
                                  " 0:00:05.1230", "    0:05.1230", "       5.1230", "00:00:05.1230"};
    for (int blank = 0; blank <= 8; ++blank) {
        EXPECT_EQ(FormatTime(0, blank, small), blanks[blank]) << "blank " << blank;
        const bool nonNegative = blank >= 4 && blank <= 7;
        EXPECT_EQ(FormatTime(0, blank, -small) == "xx:xx:xx.xxxx", nonNegative) << "blank " << blank;
    }
    // Blanking comes before cutting.
    EXPECT_EQ(FormatTime(11, 3, small), " 5.1230");
    EXPECT_EQ(FormatTime(7, 3, small), "    5.123");
}

TEST(TimeValues, ZebTimeObject)
{
    TZebTime t;
    EXPECT_EQ(t.GetValue(), 0);
    EXPECT_EQ(t.CutMode(), 0);
    EXPECT_EQ(t.BlankMode(), 3);
    EXPECT_EQ(t.GetText(), "       0.0000");

    t.SetValue(2124000000);
    EXPECT_EQ(t.GetValue(), 2123999999);
    t.SetBlankMode(0);
    EXPECT_EQ(t.GetText(), "58:59:59.9999");
    t.SetValue(-5);
    EXPECT_EQ(t.GetValue(), -5);

    t.SetText("99:00:00.0000");
    EXPECT_EQ(t.GetValue(), 1800000000);
    t.SetText("12.5");
    EXPECT_EQ(t.GetValue(), 125000);
    t.SetText("");
    EXPECT_EQ(t.GetValue(), 0);
    t.SetText("abc");
    EXPECT_EQ(t.GetValue(), 0);
    t.SetText("1:23.456");
    EXPECT_EQ(t.GetValue(), 834560);
    t.SetText("99:99:99.9999");
    EXPECT_EQ(t.GetValue(), 1800000000 + 99 * kTicksPerMinute + 999999);

    t.SetCutMode(6);
    t.SetBlankMode(3);
    t.SetValue(834560);
    EXPECT_EQ(t.GetText(), " 1:23.4560");
}

TEST(TimeValues, SetTextAgreesWithTheStrictReaderOfTheNormalisedText)
{
    const char* const texts[] = {"1:23.456", "83.4", "", "abc", "12:34:56.7890", "99:99:99.9999", "1.2.3", "-3"};
    for (const char* text : texts) {
        TZebTime t;
        t.SetText(text);
        EXPECT_EQ(t.GetValue(), TextToTime(NormaliseTimeText(text))) << text;
    }
}

TEST(TimeValues, DateTimeToTimeTakesTheTimeOfDay)
{
    std::tm tm{};
    tm.tm_year = 126;
    tm.tm_hour = 14;
    tm.tm_min = 5;
    tm.tm_sec = 9;
    EXPECT_EQ(DateTimeToTime(tm, 250), EncodeTime(14, 5, 9, 2500));

    const auto now = std::chrono::system_clock::now();
    const TimeValue value = DateTimeToTime(now);
    EXPECT_GE(value, 0);
    EXPECT_LT(value, 24 * kTicksPerHour);
}

} // namespace
} // namespace kav
