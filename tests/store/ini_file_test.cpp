#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
    IniFile ini(file);
    for (const Case& c : cases)
        ini.writeString("Texts", c.name, c.written);
    ini.commit();
    const IniFile reread(file);
    for (const Case& c : cases)
        EXPECT_EQ(reread.readString("Texts", c.name, "missing"), c.read) << c.name;
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
