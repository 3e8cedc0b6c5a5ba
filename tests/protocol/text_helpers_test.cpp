#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "text_helpers.h"

namespace kav {
namespace {

TEST(TextHelpers, ComposeNameShortensStepByStep)
{
    EXPECT_EQ(composeName(" abcd ", "ef", 0), "abcd ef");
    EXPECT_EQ(composeName(" abcd ", "ef", 7), "abcd ef");
    EXPECT_EQ(composeName(" abcd ", "ef", 6), "A. ef");
    EXPECT_EQ(composeName(" abcd ", "ef", 5), "A. ef");
    EXPECT_EQ(composeName(" abcd ", "ef", 4), "ef");
    EXPECT_EQ(composeName("", "Verstappen", 0), " Verstappen");
    // Only a to z are upper-cased, and the last name alone is never cut.
    EXPECT_EQ(composeName("\xC3\xA9lodie", "Longname", 12), "\xC3\xA9. Longname"); // UTF-8 initial kept whole
    EXPECT_EQ(composeName("\xC3\xA9lo", "Longname", 12), "\xC3\xA9lo Longname");   // 12 characters fit
    EXPECT_EQ(composeName("\xE9lo", "Longname", 11), "\xE9. Longname");            // Windows-1252 bytes
    EXPECT_EQ(composeName("Max", "Verstappen", 3), "Verstappen");
}

TEST(TextHelpers, ConvertIntegerIsLenient)
{
    struct Case {
        const char* name;
        const char* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"leading spaces", " 42", 42},
        {"dollar hex", "$1F", 31},
        {"0x hex", "0x1f", 31},
        {"negative", "-17", -17},
        {"trailing letter", "12a", 12},
        {"negative with junk loses sign", "-5x", 5},
        {"largest long", "2147483647", 2147483647},
        {"smallest long", "-2147483648", INT32_MIN},
        {"decimal overflow keeps digits so far", "2147483648", 214748364},
        {"hex uses all bits", "$FFFFFFFF", -1},
        {"hex overflow", "$123456789", 0x12345678},
    };
    for (const auto& c : cases)
        EXPECT_EQ(convertInteger(c.text), c.expected) << c.name;
    EXPECT_EQ(static_cast<std::uint16_t>(convertInteger("70000")), 4464);
    EXPECT_EQ(static_cast<std::uint8_t>(convertInteger("300")), 44);
}

TEST(TextHelpers, Utf8ValidityAndCutting)
{
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_TRUE(isValidUtf8("J\xC3\xBCrgen"));    // Jürgen
    EXPECT_FALSE(isValidUtf8("J\xFCrgen"));       // Windows-1252
    EXPECT_FALSE(isValidUtf8("\xC3"));            // cut sequence
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));        // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));    // surrogate
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x8F\x81")); // chequered flag

    EXPECT_EQ(cutText("J\xC3\xBCrgen", 2, true), "J\xC3\xBC");
    EXPECT_EQ(cutText("J\xC3\xBCrgen", 2, false), "J\xC3");
    EXPECT_EQ(cutText("\xF0\x9F\x8F\x81x", 1, true), "\xF0\x9F\x8F\x81");
    EXPECT_EQ(cutText("abc", 8, true), "abc");
}

} // namespace
} // namespace kav
