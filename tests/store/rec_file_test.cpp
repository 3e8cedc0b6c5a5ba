#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "file_errors.h"
#include "rec_file.h"
#include "temp_folder.h"

namespace kav {
namespace {

using namespace std::string_literals;

TRecFile OpenText(const TTempFolder& folder, std::string_view text)
{
    WriteFile(folder / "db.ini", text);
    return TRecFile::Open(folder / "db.ini");
}

TEST(RecFile, ReadingRules)
{
    TTempFolder folder;
    const TRecFile db = OpenText(folder, "\xEF\xBB\xBF[Comm]\n"
                                         "first=1\n"
                                         "[Other]xyz\n"
                                         "[]\n"
                                         "\r\n"
                                         "key=v\r"
                                         "[comm]\r\n"
                                         "c=3\n"
                                         "[Last]\r\n"
                                         "b=2\r"
                                         "A=1\r\n"
                                         "tail=end\r\n"
                                         "[Nul]\r\n"
                                         "b=x\0y\r\n"
                                         "c=2"s);
    EXPECT_EQ(db.SectionNames(), (std::vector<std::string>{"Comm", "Last", "Nul", "Otherxyz"}));
    EXPECT_EQ(*db.FindSection("Nul"), (TRecLines{"b=x"})) << "a NUL ends the text";
    EXPECT_EQ(*db.FindSection("COMM"), (TRecLines{"c=3"})) << "the later section replaces the earlier";
    EXPECT_EQ(*db.FindSection("Otherxyz"), (TRecLines{"[]", "key=v"}));
    EXPECT_EQ(*db.FindSection("Last"), (TRecLines{"A=1", "b=2", "tail=end"}));
    EXPECT_EQ(db.ReadString("last", "TAIL", "-"), "end");
}

TEST(RecFile, ReadIntegerConvertsWholeTextOnly)
{
    struct Case {
        const char* name;
        const char* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"decimal", "12", 12},
        {"trailing blank", "12 ", -7},
        {"empty", "", -7},
        {"dollar hex", "$1F", 31},
        {"0x hex", "0x1f", 31},
        {"negative", "-5", -5},
        {"negative hex", "-$10", -16},
        {"all 32 bits", "$FFFFFFFF", -1},
        {"hex too long", "$100000000", -7},
        {"too large", "2147483648", -7},
        {"smallest", "-2147483648", INT32_MIN},
        {"sign only", "-", -7},
    };
    TRecFile db = TRecFile::CreateNew("unused.ini");
    for (const Case& c : cases) {
        db.WriteString("N", "v", c.text);
        EXPECT_EQ(db.ReadInteger("N", "v", -7), c.expected) << c.name;
    }
    db.WriteInteger("N", "w", -2147483633);
    EXPECT_EQ(db.ReadString("N", "w", ""), "-2147483633");
    EXPECT_EQ(db.ReadInteger("N", "missing", 50000), 50000);
}

TEST(RecFile, OpenedDatabaseIsReadOnlyAndMissingFileIsReported)
{
    TTempFolder folder;
    EXPECT_THROW(TRecFile::Open(folder / "none.ini"), ERecFileNotExists);
    EXPECT_THROW(TRecFile::Open(folder.Path()), ERecFileNotExists) << "a folder is no database";
    TRecFile db = OpenText(folder, "[A]\r\nk=1\r\n");
    const std::string before = db.ToText();
    EXPECT_THROW(db.WriteString("B", "k", "2"), ERecFileReadOnly);
    EXPECT_THROW(db.WriteInteger("A", "k", 2), ERecFileReadOnly);
    EXPECT_EQ(db.ToText(), before);
    EXPECT_THROW(db.Save(), ERecFileReadOnly);
}

TEST(RecFile, SaveReplacesTheFileWithSortedSectionsAndLineBreaksCannotSplitAValue)
{
    TTempFolder folder;
    const auto file = folder / "Communication.ini";
    WriteFile(file, "[Old]\r\nstale=1\r\n");
    TRecFile db = TRecFile::CreateNew(file);
    db.WriteString("Communication\\TCPIP", "TCPIP_Addr", "a\r\n[Evil]\r\nx=1\0y"s);
    db.WriteInteger("Communication\\TCPIP", "TCPIP_Port", 50000);
    db.WriteString("Communication", "CommType", "RS232");
    {
        TRecFile unsaved = db;
        unsaved.WriteString("Communication", "CommType", "TCPIP");
    }
    EXPECT_EQ(ReadFile(file), "[Old]\r\nstale=1\r\n") << "only Save writes";
    db.Save();
    EXPECT_EQ(ReadFile(file), "[Communication]\r\nCommType=RS232\r\n\r\n"
                              "[Communication\\TCPIP]\r\nTCPIP_Addr=a  [Evil]  x=1 y\r\nTCPIP_Port=50000\r\n\r\n");
    EXPECT_EQ(TRecFile::Open(file).ReadInteger("communication\\tcpip", "tcpip_port", 0), 50000);
}

} // namespace
} // namespace kav
