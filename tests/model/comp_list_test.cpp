#include <gtest/gtest.h>

#include "comp_list.h"

namespace kav {
namespace {

TCompRec Competitor(std::string regNo, std::string number = {}, std::string lastName = {})
{
    TCompRec rec;
    rec.RegNo = std::move(regNo);
    rec.Number = std::move(number);
    rec.LastName = std::move(lastName);
    return rec;
}

TEST(CompList, UniqueRegNoReplacesTheFirstMatchInPlace)
{
    TCompList list;
    list.AddOrUpdate(Competitor("1", "7", "First"));
    list.AddOrUpdate(Competitor("1", "9", "Second"));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.FindByRegNo("1").LastName, "First");
    list.SetUniqueRegNo(true);
    list.AddOrUpdate(Competitor("2", "8", "Other"));
    list.AddOrUpdate(Competitor("1", "5", "Third"));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetByIndex(0), Competitor("1", "5", "Third"));
    EXPECT_EQ(list.GetByIndex(1).LastName, "Second");
    EXPECT_EQ(list.GetByIndex(2).RegNo, "2");
}

TEST(CompList, KeysAreExactCutToEightAndNeverEmptyInSearches)
{
    TCompList list;
    list.SetUniqueRegNo(true);
    list.AddOrUpdate(Competitor("1", "", "One"));
    list.AddOrUpdate(Competitor("1 ", "", "OneSpace"));
    list.AddOrUpdate(Competitor("", "", "NoKey"));
    list.AddOrUpdate(Competitor("", "", "NoKeyAgain"));
    list.AddOrUpdate(Competitor("123456789", "", "Long"));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.FindByRegNo("1 ").LastName, "OneSpace");
    EXPECT_EQ(list.GetByIndex(2).LastName, "NoKeyAgain");
    EXPECT_EQ(list.FindByRegNo(""), TCompRec{});
    EXPECT_EQ(list.GetByIndex(3).RegNo, "12345678");
    EXPECT_EQ(list.FindByRegNo("12345678x").LastName, "Long");
    EXPECT_EQ(list.GetByIndex(-1), TCompRec{});
    EXPECT_EQ(list.GetByIndex(4), TCompRec{});
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.GetByIndex(0), TCompRec{});
    EXPECT_EQ(list.FindByRegNo("1"), TCompRec{});
}

TEST(CompList, MaxNumberLengthCountsCharacters)
{
    TCompList list;
    EXPECT_EQ(MaxNumberLength(list), 0);
    list.AddOrUpdate(Competitor("1", "7"));
    list.AddOrUpdate(Competitor("2", "123"));
    EXPECT_EQ(MaxNumberLength(list), 3);
    list.AddOrUpdate(Competitor("3", "\xC3\x84\xC3\x84\xC3\x84\xC3\x84")); // four letters in UTF-8
    EXPECT_EQ(MaxNumberLength(list), 4);
    list.AddOrUpdate(Competitor("4", "\xC4\xC4\xC4\xC4\xC4")); // five letters in Windows-1252
    EXPECT_EQ(MaxNumberLength(list), 5);
}

} // namespace
} // namespace kav
