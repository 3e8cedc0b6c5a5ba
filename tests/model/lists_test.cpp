#include <gtest/gtest.h>

#include <string>

#include "comp_list.h"
#include "race_res_list.h"

namespace kav {
namespace {

TCompRec Competitor(std::string regNo, std::string number, std::string lastName = {})
{
    TCompRec rec;
    rec.RegNo = std::move(regNo);
    rec.Number = std::move(number);
    rec.LastName = std::move(lastName);
    return rec;
}

TGRec G(int position, std::string regNo)
{
    return {static_cast<std::uint16_t>(position), std::move(regNo), 1, 10000};
}

RaceResRec Entry(const TRaceResList& list, int index)
{
    RaceResRec rec;
    EXPECT_TRUE(list.GetByIndex(index, rec)) << "index " << index;
    return rec;
}

TEST(CompList, UniqueRegNoReplacesTheFirstMatchAndKeysAreCutToEight)
{
    TCompList list;
    list.AddOrUpdate(Competitor("1", "7", "First"));
    list.AddOrUpdate(Competitor("1", "9", "Second"));
    EXPECT_EQ(list.FindByRegNo("1").LastName, "First");
    list.SetUniqueRegNo(true);
    list.AddOrUpdate(Competitor("1 ", "", "OneSpace"));
    list.AddOrUpdate(Competitor("1", "5", "Third"));
    list.AddOrUpdate(Competitor("123456789", "", "Long"));
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.GetByIndex(0), Competitor("1", "5", "Third"));
    EXPECT_EQ(list.GetByIndex(1).LastName, "Second");
    EXPECT_EQ(list.FindByRegNo("1 ").LastName, "OneSpace");
    EXPECT_EQ(list.GetByIndex(3).RegNo, "12345678");
    EXPECT_EQ(list.FindByRegNo("12345678x").LastName, "Long");
    EXPECT_EQ(list.FindByRegNo(""), TCompRec{});
    EXPECT_EQ(list.GetByIndex(4), TCompRec{});
}

TEST(CompList, NumberLengthCountsLettersOfUtf8AndOfWindows1252)
{
    TCompList list;
    list.AddOrUpdate(Competitor("1", "123"));
    EXPECT_EQ(MaxNumberLength(list), 3);
    list.AddOrUpdate(Competitor("2", "\xC3\x84\xC3\x84\xC3\x84\xC3\x84"));
    EXPECT_EQ(MaxNumberLength(list), 4);
    list.AddOrUpdate(Competitor("3", "\xC4\xC4\xC4\xC4\xC4"));
    EXPECT_EQ(MaxNumberLength(list), 5);
}

TEST(SlotList, PlacingFillsTheSlotsBeforeAndStopsAtLimitPlusOne)
{
    TRaceResList list;
    list.SetLimit(1000);
    list.SetFromG(G(3, "12"));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(Entry(list, 1), RaceResRec{});
    EXPECT_EQ(Entry(list, 2), (RaceResRec{3, "12", 1, 10000, "", false}));
    EXPECT_EQ(list.FindByRegNo(""), 0);
    list.SetFromG(G(0, "zero"));
    list.SetFromG(G(1002, "late"));
    EXPECT_EQ(list.Count(), 3);
    list.SetFromG(G(1001, "last"));
    EXPECT_EQ(list.FindByRegNo("last"), 1000);
    list.SetLimit(20000);
    EXPECT_EQ(list.Limit(), 10000) << "no position beyond the table of 10001";
}

} // namespace
} // namespace kav
