#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prac_res_list.h"
#include "race_res_list.h"
#include "track_res_list.h"

namespace kav {
namespace {

constexpr TimeValue Seconds(double s)
{
    return static_cast<TimeValue>(s * kTicksPerSecond + 0.5);
}

// One field of every entry, in list order.
template <typename List, typename Field>
std::vector<Field> Column(const List& list, Field List::Record::*field)
{
    std::vector<Field> values;
    typename List::Record rec;
    for (int i = 0; list.GetByIndex(i, rec); ++i)
        values.push_back(rec.*field);
    return values;
}

using Texts = std::vector<std::string>;
using Flags = std::vector<bool>;
constexpr auto kGap = &RaceResRec::Gap;
constexpr auto kChanged = &RaceResRec::Changed;

TRaceResList RaceOf(const std::vector<std::pair<int, double>>& lapsAndTimes)
{
    TRaceResList list;
    int position = 0;
    for (const auto& [laps, seconds] : lapsAndTimes)
        list.SetFromG({static_cast<std::uint16_t>(++position), std::string("C").append(std::to_string(position)), laps,
                       Seconds(seconds)});
    return list;
}

TEST(RaceGaps, LapGroupsShowTheirLapsAndTimesBehindTheirFirstCar)
{
    TRaceResList list = RaceOf({{10, 100.0}, {10, 101.5}, {9, 99.0}, {9, 105.25}});
    list.ComputeGaps();
    EXPECT_EQ(Column(list, kGap), (Texts{">> 10 <<", "    1.500", ">> 9 <<", "    6.250"}));
    EXPECT_EQ(Column(list, kChanged), (Flags{true, true, true, true}));
    list.ComputeGaps();
    EXPECT_EQ(Column(list, kChanged), (Flags{false, false, false, false}));
    // A new time for the first car of a group moves the gaps behind it; the fourth decimal is cut.
    list.SetFromG({3, "C3", 9, Seconds(100.0)});
    list.SetFromG({2, "C2", 10, Seconds(100.0) + 12 * kTicksPerMinute + 34567});
    list.ComputeGaps();
    EXPECT_EQ(Column(list, kGap), (Texts{">> 10 <<", "12:03.456", ">> 9 <<", "    5.250"}));
    EXPECT_EQ(Column(list, kChanged), (Flags{false, true, true, true}));
}

TEST(RaceGaps, WithoutALeaderTimeTheGroupKeepsItsTexts)
{
    TRaceResList list = RaceOf({{10, 100.0}, {10, 101.5}, {10, 103.0}});
    list.ComputeGaps();
    list.SetFromG({1, "C1", 10, 0});
    list.SetFromG({3, "C3", 10, Seconds(104.0)});
    list.ComputeGaps();
    // The replaced third car keeps the empty text it was placed with.
    EXPECT_EQ(Column(list, kGap), (Texts{">> 10 <<", "    1.500", ""}));
    EXPECT_EQ(Column(list, kChanged), (Flags{true, false, false}));
    // Fill-ins have no laps and no time.
    TRaceResList filled;
    filled.SetFromG({3, "C3", 4, Seconds(50.0)});
    filled.ComputeGaps();
    EXPECT_EQ(Column(filled, kGap), (Texts{">> 0 <<", "", ""}));
}

TEST(PracticeGaps, BestLapsBehindTheFastestAndNoTimeMarks)
{
    TPracResList list;
    list.SetFromH({1, "5", 5, Seconds(62.0)});
    list.SetFromH({2, "6", 0, 0});
    list.SetFromH({3, "7", 7, Seconds(63.25)});
    list.ComputeGaps();
    EXPECT_EQ(Column(list, &PracResRec::Gap), (Texts{"", "-----", "    1.250"}));
    EXPECT_EQ(Column(list, &PracResRec::Changed), (Flags{false, true, true}));
    // A faster time not yet reordered by the feed shows its difference without a sign.
    list.SetFromH({2, "6", 3, Seconds(61.0)});
    list.ComputeGaps();
    EXPECT_EQ(Column(list, &PracResRec::Gap), (Texts{"", "    1.000", "    1.250"}));
    EXPECT_EQ(Column(list, &PracResRec::Changed), (Flags{false, true, false}));
    // A new fastest time moves every other gap.
    list.SetFromH({1, "5", 5, Seconds(60.0)});
    list.ComputeGaps();
    EXPECT_EQ(Column(list, &PracResRec::Gap), (Texts{"", "    1.000", "    3.250"}));
    EXPECT_EQ(Column(list, &PracResRec::Changed), (Flags{false, false, true}));
}

TEST(PracticeGaps, AFillInLeaderGetsAnEmptyGap)
{
    TPracResList list;
    list.SetFromH({2, "6", 4, Seconds(61.0)});
    list.ComputeGaps();
    EXPECT_EQ(Column(list, &PracResRec::Gap), (Texts{"", " 1:01.000"}));
}

TEST(TrackGaps, AbsoluteTimeToTheCarDirectlyAhead)
{
    TTrackResList list;
    const double times[] = {100.0, 101.0, 99.0, 98.0, 97.0};
    for (int i = 0; i < 5; ++i)
        list.SetFromG({static_cast<std::uint16_t>(i + 1), std::to_string(i), i < 4 ? 3 : 0, Seconds(times[i])});
    list.ComputeGaps();
    EXPECT_EQ(Column(list, kGap), (Texts{"", "    1.000", "    2.000", "    1.000", "-----"}));
}

TEST(Gaps, ExtremeTimesCannotOverflow)
{
    TTrackResList track;
    track.SetFromG({1, "a", 1, INT32_MIN});
    track.SetFromG({2, "b", 1, INT32_MAX});
    track.ComputeGaps();
    // The distance is beyond anything shown; the largest shown value is used.
    EXPECT_EQ(Column(track, kGap)[1], "59:59.999");
    TPracResList prac;
    prac.SetFromH({1, "a", 1, INT32_MAX});
    prac.SetFromH({2, "b", 1, INT32_MIN});
    prac.ComputeGaps();
    EXPECT_EQ(Column(prac, &PracResRec::Gap)[1], "xx:xx.xxx");
}

} // namespace
} // namespace kav
