#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_table.h"
#include "field_scanner.h"

namespace kav {
namespace {

// All fields nextField yields until the line is empty.
std::vector<std::string> fields(std::string_view line)
{
    std::vector<std::string> fields;
    std::string_view field;
    while (!line.empty()) {
        nextField(line, field);
        fields.emplace_back(field);
    }
    return fields;
}

TEST(FieldScanner, SplitsLinesAsTheFeedWritesThem)
{
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/protocol/fields.txt")) {
        std::string shown;
        for (const std::string& field : fields(row.at(1)))
            shown += '[' + field + ']';
        EXPECT_EQ(shown, row.at(2)) << row[0];
    }
}

} // namespace
} // namespace kav
