#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "case_table.h"
#include "text_helpers.h"

namespace kav {
namespace {

TEST(TextHelpers, NamesIntegersAndUtf8AsTheTableSays)
{
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/protocol/text_helpers.txt")) {
        const std::string& kind = row.at(0);
        if (kind == "compose")
            EXPECT_EQ(composeName(row.at(1), row.at(2), std::stoul(row.at(3))), row.at(4)) << row[1] << ' ' << row[3];
        else if (kind == "integer")
            EXPECT_EQ(convertInteger(row.at(2)), std::stoi(row.at(3))) << row[1];
        else if (kind == "utf8")
            EXPECT_EQ(isValidUtf8(row.at(2)), row.at(3) == "1") << row[1];
        else
            EXPECT_EQ(cutText(row.at(1), std::stoul(row.at(2)), row.at(3) == "1"), row.at(4)) << kind << ' ' << row[1];
    }
    EXPECT_EQ(static_cast<std::uint16_t>(convertInteger("70000")), 4464);
    EXPECT_EQ(static_cast<std::uint8_t>(convertInteger("300")), 44);
}

} // namespace
} // namespace kav
