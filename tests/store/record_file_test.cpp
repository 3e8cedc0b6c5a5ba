#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "file_errors.h"
#include "record_file.h"
#include "temporary_folder.h"

namespace kav {
namespace {

using namespace std::string_literals;

RecordFile openText(const TemporaryFolder& folder, std::string_view text)
{
    writeFile(folder / "db.ini", text);
    return RecordFile::open(folder / "db.ini");
}

TEST(RecFile, ReadingRules)
{
    TemporaryFolder folder;
    const RecordFile db = openText(folder, "\xEF\xBB\xBF[Comm]\n"
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
    EXPECT_EQ(db.sectionNames(), (std::vector<std::string>{"Comm", "Last", "Nul", "Otherxyz"}));
    EXPECT_EQ(*db.findSection("Nul"), (SectionLines{"b=x"})) << "a NUL ends the text";
    EXPECT_EQ(*db.findSection("COMM"), (SectionLines{"c=3"})) << "the later section replaces the earlier";
    EXPECT_EQ(*db.findSection("Otherxyz"), (SectionLines{"[]", "key=v"}));
    EXPECT_EQ(*db.findSection("Last"), (SectionLines{"A=1", "b=2", "tail=end"}));
    EXPECT_EQ(db.readString("last", "TAIL", "-"), "end");
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
    RecordFile db = RecordFile::createNew("unused.ini");
    for (const Case& c : cases) {
        db.writeString("N", "v", c.text);
        EXPECT_EQ(db.readInteger("N", "v", -7), c.expected) << c.name;
    }
    db.writeInteger("N", "w", -2147483633);
    EXPECT_EQ(db.readString("N", "w", ""), "-2147483633");
    EXPECT_EQ(db.readInteger("N", "missing", 50000), 50000);
}

TEST(RecFile, OpenedDatabaseIsReadOnlyAndMissingFileIsReported)
{
    TemporaryFolder folder;
    EXPECT_THROW(RecordFile::open(folder / "none.ini"), RecordFileMissing);
    EXPECT_THROW(RecordFile::open(folder.pathOf()), RecordFileMissing) << "a folder is no database";
    RecordFile db = openText(folder, "[A]\r\nk=1\r\n");
    const std::string before = db.toText();
    EXPECT_THROW(db.writeString("B", "k", "2"), RecordFileReadOnly);
    EXPECT_THROW(db.writeInteger("A", "k", 2), RecordFileReadOnly);
    EXPECT_EQ(db.toText(), before);
    EXPECT_THROW(db.save(), RecordFileReadOnly);
}

TEST(RecFile, SaveReplacesTheFileWithSortedSectionsAndLineBreaksCannotSplitAValue)
{
    TemporaryFolder folder;
    const auto file = folder / "Communication.ini";
    writeFile(file, "[Old]\r\nstale=1\r\n");
    RecordFile db = RecordFile::createNew(file);
    db.writeString("Communication\\TCPIP", "TCPIP_Addr", "a\r\n[Evil]\r\nx=1\0y"s);
    db.writeInteger("Communication\\TCPIP", "TCPIP_Port", 50000);
    db.writeString("Communication", "CommType", "RS232");
    {
        RecordFile unsaved = db;
        unsaved.writeString("Communication", "CommType", "TCPIP");
    }
    EXPECT_EQ(readFile(file), "[Old]\r\nstale=1\r\n") << "only Save writes";
    db.save();
    EXPECT_EQ(readFile(file), "[Communication]\r\nCommType=RS232\r\n\r\n"
                              "[Communication\\TCPIP]\r\nTCPIP_Addr=a  [Evil]  x=1 y\r\nTCPIP_Port=50000\r\n\r\n");
    EXPECT_EQ(RecordFile::open(file).readInteger("communication\\tcpip", "tcpip_port", 0), 50000);
}

} // namespace
} // namespace kav
