#include <gtest/gtest.h>

#include <string>

#include "marker_list.h"
#include "passing_list.h"

namespace kav {
namespace {

TEST(PassingList, ALaterPassingReplacesTheCompetitorsEntry)
{
    TPassingList list;
    list.SetFromJ({"12", 834560, 1});
    list.SetFromJ({"12", 830000, 2});
    list.SetFromJ({"7", 840000, 3});
    ASSERT_EQ(list.Count(), 2);
    TJRec rec;
    ASSERT_TRUE(list.GetByIndex(0, rec));
    EXPECT_EQ(rec, (TJRec{"12", 830000, 2}));
    EXPECT_EQ(list.FindByRegNo("7"), 1);
}

TEST(MarkerList, PassTimesEnsuredMarkersAndFieldSetters)
{
    TMarkerList list;
    list.SetPassTime("12", 123456);
    list.EnsureMarker("12");
    list.EnsureMarker("8");
    list.SetLapStatus(1, 1);
    list.SetRaceStatus(1, 4);
    list.SetPracStatus(1, 255);
    list.SetTrackStatus(1, 6);
    list.SetRaceStatus(2, 4);
    list.SetPassTimeAt(-1, 5);
    ASSERT_EQ(list.Count(), 2);
    TMarker rec;
    ASSERT_TRUE(list.GetByIndex(0, rec));
    EXPECT_EQ(rec, (TMarker{"12", 123456, 0, 0, 0, 0}));
    ASSERT_TRUE(list.GetByIndex(1, rec));
    EXPECT_EQ(rec, (TMarker{"8", 0, 1, 4, 255, 6}));
    EXPECT_EQ(TMarker{}, (TMarker{"", -1, 0, 0, 0, 0}));
}

TEST(KeyedLists, AFullListDropsNewCompetitorsButUpdatesKnownOnes)
{
    TPassingList passings;
    TMarkerList markers;
    passings.SetLimit(1000);
    markers.SetLimit(1000);
    for (int i = 0; i < 1000; ++i) {
        passings.SetFromJ({std::to_string(i), 10000, 0});
        markers.EnsureMarker(std::to_string(i));
    }
    markers.SetPassTime("new", 5);
    EXPECT_EQ(passings.Count(), 999);
    EXPECT_EQ(markers.Count(), 999);
    EXPECT_EQ(passings.FindByRegNo("999"), -1);
    EXPECT_EQ(markers.FindByRegNo("new"), -1);
    passings.SetFromJ({"5", 20000, 0});
    markers.SetPassTime("998", 7);
    TJRec passing;
    TMarker marker;
    ASSERT_TRUE(passings.GetByIndex(5, passing));
    ASSERT_TRUE(markers.GetByIndex(998, marker));
    EXPECT_EQ(passing.LapTime, 20000);
    EXPECT_EQ(marker.PassTime, 7);
}

} // namespace
} // namespace kav
