#include <gtest/gtest.h>

#include "race_res_list.h"

namespace kav {
namespace {

TGRec G(int position, std::string regNo, int laps = 1, TimeValue total = 10000)
{
    return {static_cast<std::uint16_t>(position), std::move(regNo), laps, total};
}

RaceResRec Entry(const TRaceResList& list, int index)
{
    RaceResRec rec;
    EXPECT_TRUE(list.GetByIndex(index, rec)) << "index " << index;
    return rec;
}

TEST(SlotList, PlacingBeyondTheEndFillsTheSlotsInBetween)
{
    TRaceResList list;
    list.SetFromG(G(3, "12", 5, 834560));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(Entry(list, 0), RaceResRec{});
    EXPECT_EQ(Entry(list, 1), RaceResRec{});
    EXPECT_EQ(Entry(list, 2), (RaceResRec{3, "12", 5, 834560, "", false}));
    EXPECT_EQ(list.FindByRegNo(""), 0);
    list.SetFromG(G(1, "7"));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.FindByRegNo(""), 1);
    // Position 0 names no slot.
    list.SetFromG(G(0, "zero"));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.FindByRegNo("zero"), -1);
}

TEST(SlotList, PositionsUpToLimitPlusOneAreAccepted)
{
    TRaceResList list;
    list.SetLimit(1000);
    list.SetFromG(G(1002, "late"));
    EXPECT_EQ(list.Count(), 0);
    list.SetFromG(G(1001, "last"));
    EXPECT_EQ(list.Count(), 1001);
    EXPECT_EQ(list.FindByRegNo("last"), 1000);
    list.SetFromG(G(1002, "late"));
    EXPECT_EQ(list.FindByRegNo("late"), -1);
    // The limit never reaches beyond the table of 10001 positions.
    list.SetLimit(20000);
    EXPECT_EQ(list.Limit(), 10000);
    list.SetFromG(G(10002, "beyond"));
    EXPECT_EQ(list.Count(), 1001);
    list.SetFromG(G(10001, "end"));
    EXPECT_EQ(list.Count(), 10001);
}

TEST(SlotList, AppendStopsOneShortOfTheLimit)
{
    TRaceResList list;
    list.SetLimit(1000);
    int appended = 0;
    for (int i = 0; i < 1005; ++i)
        appended += list.Append({0, std::to_string(i), i, 0, "kept", true});
    EXPECT_EQ(appended, 999);
    // Appended entries keep every field, whatever their position says.
    EXPECT_EQ(Entry(list, 998), (RaceResRec{0, "998", 998, 0, "kept", true}));
    EXPECT_EQ(list.FindByRegNo("999"), -1);
    const RaceResRec mine{9, "mine", 9, 9, "gap", true};
    RaceResRec rec = mine;
    EXPECT_FALSE(list.GetByIndex(999, rec));
    EXPECT_FALSE(list.GetByIndex(-1, rec));
    EXPECT_EQ(rec, mine);
}

TEST(SlotList, SearchFindsTheLowerOfDuplicatesThroughResets)
{
    TRaceResList list;
    list.SetFromG(G(2, "12"));
    list.SetFromG(G(4, "12"));
    EXPECT_EQ(list.FindByRegNo("12"), 1);
    list.ResetItem(1);
    EXPECT_EQ(list.FindByRegNo("12"), 3);
    EXPECT_EQ(Entry(list, 1), RaceResRec{});
    list.Clear();
    EXPECT_EQ(list.FindByRegNo("12"), -1);
}

TEST(SlotList, Utf8KeysAreCutAfterEightLetters)
{
    TRaceResList list;
    const std::string nineLetters = "\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84";
    list.SetFromG(G(1, nineLetters));
    EXPECT_EQ(Entry(list, 0).RegNo, nineLetters.substr(0, 16));
    EXPECT_EQ(list.FindByRegNo(nineLetters), 0);
}

} // namespace
} // namespace kav
