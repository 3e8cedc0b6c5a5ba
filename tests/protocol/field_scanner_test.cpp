#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "field_scanner.h"

namespace kav {
namespace {

// All fields NextField yields until the line is empty.
std::vector<std::string> Fields(std::string_view line, const FieldSeparators& separators = kFeedSeparators)
{
    std::vector<std::string> fields;
    std::string_view field;
    while (!line.empty()) {
        NextField(line, field, separators);
        fields.emplace_back(field);
    }
    return fields;
}

using Fields_t = std::vector<std::string>;

TEST(FieldScanner, QuotedAndUnquotedFields)
{
    EXPECT_EQ(Fields(R"($A,"12","7",,)"), (Fields_t{"$A", "12", "7", ""}));
    EXPECT_EQ(Fields(R"("a,b",c)"), (Fields_t{"a,b", "c"}));
    EXPECT_EQ(Fields(R"("ab"cd,ef)"), (Fields_t{"ab", "cd", "ef"}));
    EXPECT_EQ(Fields(R"("a""b")"), (Fields_t{"a", "b"}));
    EXPECT_EQ(Fields("x;y"), (Fields_t{"x", "y"}));
    EXPECT_EQ(Fields("x\ty"), (Fields_t{"x", "y"}));
    // A space before the opening quote makes the field unquoted, quotes and all.
    EXPECT_EQ(Fields(R"($A, "12")"), (Fields_t{"$A", R"( "12")"}));
    EXPECT_EQ(Fields(R"("")"), (Fields_t{""}));
}

TEST(FieldScanner, MissingClosingQuoteLeavesTheLastCharacter)
{
    std::string_view line = R"("abc)";
    std::string_view field;
    NextField(line, field);
    EXPECT_EQ(field, "ab");
    EXPECT_EQ(line, "c");

    line = "\"";
    NextField(line, field);
    EXPECT_EQ(field, "");
    EXPECT_EQ(line, "");
}

TEST(FieldScanner, CrLfLineEnd)
{
    std::string_view line = "$F,1,\"x\"\r\n";
    std::string_view field;
    NextField(line, field);
    NextField(line, field);
    NextField(line, field);
    EXPECT_EQ(field, "x");
    EXPECT_EQ(line, "\n"); // the CR was the field's separator
    NextField(line, field);
    EXPECT_EQ(field, "");
    EXPECT_EQ(line, "");

    std::string_view unquoted = "7\r\n";
    NextField(unquoted, field);
    EXPECT_EQ(field, "7");
    EXPECT_EQ(unquoted, "\n");
}

TEST(FieldScanner, EmptyLineAndNul)
{
    std::string_view line;
    std::string_view field = "junk";
    NextField(line, field);
    EXPECT_EQ(field, "");
    EXPECT_EQ(line, "");

    const std::string withNul("a\0b", 3);
    EXPECT_EQ(Fields(withNul), (Fields_t{"a", "b"}));
}

TEST(FieldScanner, OtherSeparatorsAreTheCallersOwn)
{
    EXPECT_EQ(Fields("a|b,c", FieldSeparators("|")), (Fields_t{"a", "b,c"}));
    EXPECT_EQ(Fields("a|b,c"), (Fields_t{"a|b", "c"}));
}

TEST(FieldScanner, LinesLongerThan255Characters)
{
    const std::string longText(1000, 'z');
    const std::string line = "$B,1,\"" + longText + "\",tail";
    EXPECT_EQ(Fields(line), (Fields_t{"$B", "1", longText, "tail"}));
}

} // namespace
} // namespace kav
