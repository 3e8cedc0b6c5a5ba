#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    const std::string longText(1000, 'z');
    const struct {
        const char* name;
        std::string line;
        std::vector<std::string> fields;
    } cases[] = {
        {"quoted, unquoted and empty", R"($A,"12","7",,)", {"$A", "12", "7", ""}},
        {"comma inside quotes", R"("a,b",c)", {"a,b", "c"}},
        {"text after the closing quote", R"("ab"cd,ef)", {"ab", "cd", "ef"}},
        {"doubled quote", R"("a""b")", {"a", "b"}},
        {"semicolon", "x;y", {"x", "y"}},
        {"TAB", "x\ty", {"x", "y"}},
        {"NUL", std::string("a\0b", 3), {"a", "b"}},
        {"space before the quote keeps it", R"($A, "12")", {"$A", R"( "12")"}},
        {"empty quoted", R"("")", {""}},
        {"missing closing quote leaves the last character", R"("abc)", {"ab", "c"}},
        {"lone quote", "\"", {""}},
        {"CR LF after a quoted field", "$F,1,\"x\"\r\n", {"$F", "1", "x", ""}},
        {"CR LF after an unquoted field", "7\r\n", {"7", ""}},
        {"longer than 255 characters", "$B,1,\"" + longText + "\",tail", {"$B", "1", longText, "tail"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fields(c.line), c.fields) << c.name;
}

} // namespace
} // namespace kav
