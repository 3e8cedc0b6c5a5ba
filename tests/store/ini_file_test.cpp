#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "case_table.h"
#include "ini_file.h"
#include "temporary_folder.h"

namespace kav {
namespace {

const std::filesystem::path kData = KAV_TEST_DATA "/store";

// Names in any letter case and spacing, quoted values, the first of two sections of a name.
TEST(IniFile, HandEditedNamesAndValuesReadAsMeant)
{
    const IniFile ini(kData / "hand_edited.ini");
    EXPECT_EQ(ini.readString("MAINWIN", "trackname", "d"), "  Zandvoort ");
    EXPECT_EQ(ini.readInteger("mainwin", "TRACKLENGTH", 0), 4259) << "the first section of a name counts";
    EXPECT_EQ(ini.readString("MainWin", "Empty", "d"), "") << "an empty value is not a missing key";
    EXPECT_EQ(ini.readInteger("MainWin", "Empty", 5), 5);
    EXPECT_EQ(ini.readString("MainWin", "NoEquals", "d"), "d");
    EXPECT_EQ(ini.readString("Colors", "Color1", "d"), "d");
    EXPECT_TRUE(ini.readBool("MainWin", "TrackLength", false));
}

// Comments, foreign keys, odd spacing and the byte order mark stay; line ends become CR LF.
TEST(IniFile, WritesChangeOnlyTheirLine)
{
    TemporaryFolder folder;
    writeFile(folder / "a.ini", readFile(kData / "hand_edited.ini"));
    IniFile ini(folder / "a.ini");
    ini.writeString("mainwin", "CHANGE", "new");
    ini.writeInteger("MainWin", "Added", -1);
    ini.writeBool("Third", "Flag", true);
    ini.writeString("Second", "y", "2");
    ini.commit();
    EXPECT_EQ(readFile(folder / "a.ini"), readFile(kData / "hand_edited_written.ini"));
}

TEST(IniFile, TextsReadBackAsWritten)
{
    TemporaryFolder folder;
    const auto file = folder / "a.ini";
    auto cases = readCaseTable(KAV_TEST_DATA "/store/texts.txt");
    IniFile ini(file);
    for (auto& row : cases) {
        row.resize(std::max<std::size_t>(row.size(), 2));
        ini.writeString("Texts", row[0], row[1]);
    }
    ini.commit();
    const IniFile reread(file);
    for (const auto& row : cases)
        EXPECT_EQ(reread.readString("Texts", row[0], "missing"), row.back()) << row[0];
    EXPECT_EQ(reread.readString("Evil", "b", "none"), "none");
}

TEST(IniFile, ReadingAndUnchangedWritesLeaveFilesAlone)
{
    TemporaryFolder folder;
    IniFile missing(folder / "none.ini");
    EXPECT_EQ(missing.readInteger("S", "k", 3), 3);
    missing.eraseSection("S");
    missing.commit();
    EXPECT_FALSE(std::filesystem::exists(folder / "none.ini"));
    writeFile(folder / "a.ini", "[S]\r\nk=1\r\n");
    IniFile ini(folder / "a.ini");
    ini.writeBool("S", "k", true);
    EXPECT_FALSE(ini.modified());
}

} // namespace
} // namespace kav
