#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ini_file.h"
#include "temp_folder.h"

namespace kav {
namespace {

const std::filesystem::path kData = KAV_TEST_DATA "/store";

// Names in any letter case and spacing, quoted values, the first of two sections of a name.
TEST(IniFile, HandEditedNamesAndValuesReadAsMeant)
{
    const TIniFile ini(kData / "hand_edited.ini");
    EXPECT_EQ(ini.ReadString("MAINWIN", "trackname", "d"), "  Zandvoort ");
    EXPECT_EQ(ini.ReadInteger("mainwin", "TRACKLENGTH", 0), 4259) << "the first section of a name counts";
    EXPECT_EQ(ini.ReadString("MainWin", "Empty", "d"), "") << "an empty value is not a missing key";
    EXPECT_EQ(ini.ReadInteger("MainWin", "Empty", 5), 5);
    EXPECT_EQ(ini.ReadString("MainWin", "NoEquals", "d"), "d");
    EXPECT_EQ(ini.ReadString("Colors", "Color1", "d"), "d");
    EXPECT_TRUE(ini.ReadBool("MainWin", "TrackLength", false));
}

// Comments, foreign keys, odd spacing and the byte order mark stay; line ends become CR LF.
TEST(IniFile, WritesChangeOnlyTheirLine)
{
    TTempFolder folder;
    WriteFile(folder / "a.ini", ReadFile(kData / "hand_edited.ini"));
    TIniFile ini(folder / "a.ini");
    ini.WriteString("mainwin", "CHANGE", "new");
    ini.WriteInteger("MainWin", "Added", -1);
    ini.WriteBool("Third", "Flag", true);
    ini.WriteString("Second", "y", "2");
    ini.Commit();
    EXPECT_EQ(ReadFile(folder / "a.ini"), ReadFile(kData / "hand_edited_written.ini"));
}

TEST(IniFile, TextsReadBackAsWritten)
{
    TTempFolder folder;
    const auto file = folder / "a.ini";
    const std::string longText(10000, 'x');
    struct Case {
        const char* name;
        std::string written;
        std::string read;
    };
    const Case cases[] = {
        {"empty", "", ""},
        {"blanks around", " \tlead and trail\t ", " \tlead and trail\t "},
        {"quoted", "\"quoted\"", "\"quoted\""},
        {"inner quote", "a\"b", "a\"b"},
        {"line breaks", "a\r\n[Evil]\nb", "a  [Evil] b"},
        {"Windows-1252 name", "Z\xFCrich \x96 N\xFCrburgring", "Z\xFCrich \x96 N\xFCrburgring"},
        {"UTF-8 name", "Z\xC3\xBCrich", "Z\xC3\xBCrich"},
        {"over-long", longText, longText.substr(0, 2047)},
    };
    TIniFile ini(file);
    for (const Case& c : cases)
        ini.WriteString("Texts", c.name, c.written);
    ini.Commit();
    const TIniFile reread(file);
    for (const Case& c : cases)
        EXPECT_EQ(reread.ReadString("Texts", c.name, "missing"), c.read) << c.name;
    EXPECT_EQ(reread.ReadString("Evil", "b", "none"), "none");
}

TEST(IniFile, ReadingAndUnchangedWritesLeaveFilesAlone)
{
    TTempFolder folder;
    TIniFile missing(folder / "none.ini");
    EXPECT_EQ(missing.ReadInteger("S", "k", 3), 3);
    missing.EraseSection("S");
    missing.Commit();
    EXPECT_FALSE(std::filesystem::exists(folder / "none.ini"));
    WriteFile(folder / "a.ini", "[S]\r\nk=1\r\n");
    TIniFile ini(folder / "a.ini");
    ini.WriteBool("S", "k", true);
    EXPECT_FALSE(ini.Modified());
}

} // namespace
} // namespace kav
