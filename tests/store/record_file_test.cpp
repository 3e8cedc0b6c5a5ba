#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "case_table.h"
#include "file_errors.h"
#include "number_text.h"
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
    // A byte order mark, CR, LF and CR LF line ends, a NUL, and text after a section name.
    const RecordFile db = RecordFile::open(KAV_TEST_DATA "/store/reading_rules.ini");
    EXPECT_EQ(db.sectionNames(), (std::vector<std::string>{"Comm", "Last", "Nul", "Otherxyz"}));
    EXPECT_EQ(*db.findSection("Nul"), (SectionLines{"b=x"})) << "a NUL ends the text";
    EXPECT_EQ(*db.findSection("COMM"), (SectionLines{"c=3"})) << "the later section replaces the earlier";
    EXPECT_EQ(*db.findSection("Otherxyz"), (SectionLines{"[]", "key=v"}));
    EXPECT_EQ(*db.findSection("Last"), (SectionLines{"A=1", "b=2", "tail=end"}));
    EXPECT_EQ(db.readString("last", "TAIL", "-"), "end");
}

TEST(RecFile, ReadIntegerConvertsWholeTextOnly)
{
    RecordFile db = RecordFile::createNew("unused.ini");
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/store/integers.txt")) {
        db.writeString("N", "v", row.at(1));
        EXPECT_EQ(db.readInteger("N", "v", -7), std::stoi(row.at(2))) << row[0];
        EXPECT_EQ(parseTypedNumber(row.at(1)).value_or(-7), std::stoll(row.at(3))) << row[0];
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
