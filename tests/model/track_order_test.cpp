#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "track_res_list.h"

namespace kav {
namespace {

constexpr TimeValue Seconds(double s)
{
    return static_cast<TimeValue>(s * kTicksPerSecond + 0.5);
}

struct Car {
    std::string regNo;
    double seconds;
};

TTrackResList TrackOf(const std::vector<Car>& cars, double refSeconds)
{
    TTrackResList list;
    int position = 0;
    for (const auto& car : cars)
        list.SetFromG({static_cast<std::uint16_t>(++position), car.regNo, 5, Seconds(car.seconds)});
    list.SetRefTime(Seconds(refSeconds));
    return list;
}

std::vector<std::string> Order(const TTrackResList& list)
{
    std::vector<std::string> keys;
    TrackResRec rec;
    for (int i = 0; list.GetByIndex(i, rec); ++i)
        keys.push_back(rec.RegNo);
    return keys;
}

using Keys = std::vector<std::string>;

TEST(TrackOrder, CarsAtOrAfterTheReferenceComeFirst)
{
    TTrackResList list = TrackOf({{"a", 99.0}, {"b", 101.0}, {"c", 98.0}, {"d", 100.0}}, 100.0);
    list.SortTrackOrder();
    EXPECT_EQ(Order(list), (Keys{"d", "b", "a", "c"}));
    EXPECT_EQ(list.FindByRegNo("a"), 2);
    EXPECT_EQ(list.FindByRegNo("d"), 0);
    list.ComputeGaps();
    TrackResRec rec;
    ASSERT_TRUE(list.GetByIndex(3, rec));
    EXPECT_EQ(rec.Gap, "    1.000");
    // Whole entries move, position numbers included.
    EXPECT_EQ(rec.Position, 3);
}

TEST(TrackOrder, EqualTimesFollowTheExchangesNotTheirArrival)
{
    // x and y are never exchanged with each other, but y meets the earlier z first.
    TTrackResList list = TrackOf({{"x", 106.0}, {"y", 106.0}, {"z", 101.0}}, 100.0);
    list.SortTrackOrder();
    EXPECT_EQ(Order(list), (Keys{"z", "y", "x"}));
}

TEST(TrackOrder, ASecondEntryOfACarIsEmptiedAndKeepsItsSlot)
{
    TTrackResList list = TrackOf({{"a", 101.0}, {"b", 102.0}, {"a", 103.0}}, 100.0);
    list.ComputeGaps();
    list.SortTrackOrder();
    EXPECT_EQ(Order(list), (Keys{"a", "b", ""}));
    EXPECT_EQ(list.FindByRegNo("a"), 0);
    EXPECT_EQ(list.FindByRegNo(""), 2);
    TrackResRec rec;
    ASSERT_TRUE(list.GetByIndex(2, rec));
    // Only the standing is emptied; the gap text stays until gaps are computed again.
    EXPECT_EQ(rec, (TrackResRec{0, "", 0, 0, "    1.000", true}));
    list.ComputeGaps();
    ASSERT_TRUE(list.GetByIndex(2, rec));
    EXPECT_EQ(rec.Gap, "-----");
}

TEST(TrackOrder, AnEmptiedEntryStillTakesPartInItsComparison)
{
    // With the reference at 0 the emptied second "a" (time 0) stands before the first one.
    TTrackResList list = TrackOf({{"a", 5.0}, {"b", 3.0}, {"a", 4.0}}, 0.0);
    list.SortTrackOrder();
    EXPECT_EQ(Order(list), (Keys{"b", "", "a"}));
    EXPECT_EQ(list.FindByRegNo("a"), 2);
    EXPECT_EQ(list.FindByRegNo(""), 1);
}

TEST(TrackOrder, FillInsKeepTheirSlots)
{
    TTrackResList list;
    list.SetFromG({2, "b", 5, Seconds(99.0)});
    list.SetFromG({4, "c", 5, Seconds(101.0)});
    list.SetRefTime(Seconds(100.0));
    list.SortTrackOrder();
    EXPECT_EQ(Order(list), (Keys{"", "c", "", "b"}));
    EXPECT_EQ(list.FindByRegNo(""), 0);
    EXPECT_EQ(list.FindByRegNo("b"), 3);
}

} // namespace
} // namespace kav
