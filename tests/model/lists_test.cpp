#include <gtest/gtest.h>

#include <string>

#include "competitor_list.h"
#include "race_result_list.h"

namespace kav {
namespace {

FullCompetitorRecord competitor(std::string regNo, std::string number, std::string lastName = {})
{
    return {std::move(regNo), std::move(number), 0, "", std::move(lastName), "", ""};
}

RacePositionRecord G(int position, std::string regNo)
{
    return {static_cast<std::uint16_t>(position), std::move(regNo), 1, 10000};
}

RaceResultRecord entry(const RaceResultList& list, int index)
{
    RaceResultRecord rec;
    EXPECT_TRUE(list.byIndex(index, rec)) << "index " << index;
    return rec;
}

TEST(CompList, UniqueRegNoReplacesTheFirstMatchAndKeysAreCutToEight)
{
    CompetitorList list;
    list.addOrUpdate(competitor("1", "7", "First"));
    list.addOrUpdate(competitor("1", "9", "Second"));
    EXPECT_EQ(list.findByRegNo("1").LastName, "First");
    list.setUniqueRegNo(true);
    list.addOrUpdate(competitor("1 ", "", "OneSpace"));
    list.addOrUpdate(competitor("1", "5", "Third"));
    list.addOrUpdate(competitor("123456789", "", "Long"));
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.byIndex(0), competitor("1", "5", "Third"));
    EXPECT_EQ(list.byIndex(1).LastName, "Second");
    EXPECT_EQ(list.findByRegNo("1 ").LastName, "OneSpace");
    EXPECT_EQ(list.byIndex(3).RegNo, "12345678");
    EXPECT_EQ(list.findByRegNo("12345678x").LastName, "Long");
    EXPECT_EQ(list.findByRegNo(""), FullCompetitorRecord{});
    EXPECT_EQ(list.byIndex(4), FullCompetitorRecord{});
}

TEST(CompList, NumberLengthCountsLettersOfUtf8AndOfWindows1252)
{
    CompetitorList list;
    list.addOrUpdate(competitor("1", "123"));
    EXPECT_EQ(maxNumberLength(list), 3);
    list.addOrUpdate(competitor("2", "\xC3\x84\xC3\x84\xC3\x84\xC3\x84"));
    EXPECT_EQ(maxNumberLength(list), 4);
    list.addOrUpdate(competitor("3", "\xC4\xC4\xC4\xC4\xC4"));
    EXPECT_EQ(maxNumberLength(list), 5);
}

TEST(SlotList, PlacingFillsTheSlotsBeforeAndStopsAtLimitPlusOne)
{
    RaceResultList list;
    list.setLimit(1000);
    list.setFromG(G(3, "12"));
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(entry(list, 1), RaceResultRecord{});
    EXPECT_EQ(entry(list, 2), (RaceResultRecord{3, "12", 1, 10000, "", false}));
    EXPECT_EQ(list.findByRegNo(""), 0);
    list.setFromG(G(0, "zero"));
    list.setFromG(G(1002, "late"));
    EXPECT_EQ(list.count(), 3);
    list.setFromG(G(1001, "last"));
    EXPECT_EQ(list.findByRegNo("last"), 1000);
    list.setLimit(20000);
    EXPECT_EQ(list.limit(), 10000) << "no position beyond the table of 10001";
}

} // namespace
} // namespace kav
