#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "file_errors.h"
#include "ini_file.h"
#include "temp_folder.h"

#if defined(__unix__)
#include <csignal>
#include <sys/resource.h>
#endif

namespace kav {
namespace {

TEST(IniFile, HandEditedNamesAndValuesReadAsMeant)
{
    TTempFolder folder;
    WriteFile(folder / "a.ini", "; settings\r\n"
                                "  [ MainWin ]  \n"
                                "TrackName =  \"  Zandvoort \"  \n"
                                "\tTrackLength\t=\t4259\r"
                                "Empty=\n"
                                "NoEquals\n"
                                "[mainwin]\n"
                                "TrackLength=1\n");
    const TIniFile ini(folder / "a.ini");
    EXPECT_EQ(ini.ReadString("MAINWIN", "trackname", "d"), "  Zandvoort ");
    EXPECT_EQ(ini.ReadInteger("mainwin", "TRACKLENGTH", 0), 4259) << "the first section of a name counts";
    EXPECT_EQ(ini.ReadString("MainWin", "Empty", "d"), "") << "an empty value is not a missing key";
    EXPECT_EQ(ini.ReadInteger("MainWin", "Empty", 5), 5);
    EXPECT_EQ(ini.ReadString("MainWin", "NoEquals", "d"), "d");
    EXPECT_EQ(ini.ReadString("Colors", "Color1", "d"), "d");
    EXPECT_TRUE(ini.ReadBool("MainWin", "TrackLength", false));
}

TEST(IniFile, WritesChangeOnlyTheirLine)
{
    TTempFolder folder;
    const auto file = folder / "a.ini";
    WriteFile(file, "\xEF\xBB\xBF; keep me\n"
                    "[First]\n"
                    "  Keep = odd  spacing \n"
                    "Change=old\r"
                    "; comment in section\n"
                    "\n"
                    "[Second]\r\n"
                    "x=1");
    TIniFile ini(file);
    ini.WriteString("first", "CHANGE", "new");
    ini.WriteInteger("First", "Added", -1);
    ini.WriteBool("Third", "Flag", true);
    ini.WriteString("Second", "y", "2");
    ini.Commit();
    EXPECT_EQ(ReadFile(file), "\xEF\xBB\xBF; keep me\r\n"
                              "[First]\r\n"
                              "  Keep = odd  spacing \r\n"
                              "CHANGE=new\r\n"
                              "; comment in section\r\n"
                              "Added=-1\r\n"
                              "\r\n"
                              "[Second]\r\n"
                              "x=1\r\n"
                              "y=2\r\n"
                              "\r\n"
                              "[Third]\r\n"
                              "Flag=1\r\n");
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
        {"single quote", "\"", "\""},
        {"inner quote", "a\"b", "a\"b"},
        {"equals and comma", "x=y, z", "x=y, z"},
        {"line breaks", "a\r\n[Evil]\nb", "a  [Evil] b"},
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

TEST(IniFile, EraseSectionRemovesEveryCopyAndNothingElse)
{
    TTempFolder folder;
    const auto file = folder / "a.kvl";
    WriteFile(file, "[ResultWin3]\r\nLayout=1\r\n[Logo]\r\nLogoVisible=1\r\n[resultwin3]\r\nLayout=2\r\n");
    TIniFile ini(file);
    ini.EraseSection("ResultWin3");
    ini.EraseSection("ResultWin4");
    ini.Commit();
    EXPECT_EQ(ReadFile(file), "[Logo]\r\nLogoVisible=1\r\n");
}

TEST(IniFile, ReadingAndUnchangedWritesLeaveFilesAlone)
{
    TTempFolder folder;
    TIniFile missing(folder / "none.ini");
    EXPECT_EQ(missing.ReadInteger("S", "k", 3), 3);
    missing.Commit();
    EXPECT_FALSE(std::filesystem::exists(folder / "none.ini"));

    WriteFile(folder / "a.ini", "[S]\nk = 1\n");
    TIniFile ini(folder / "a.ini");
    ini.WriteBool("S", "k", true);
    ini.EraseSection("T");
    EXPECT_TRUE(ini.Modified()) << "the line is rewritten in the program's own form";
    ini.Commit();
    TIniFile again(folder / "a.ini");
    again.WriteBool("S", "k", true);
    EXPECT_FALSE(again.Modified());
}

TEST(IniFile, UnwritableFolderRaisesTheWriteError)
{
    TTempFolder folder;
    WriteFile(folder / "plain", "a regular file");
    for (const auto& file : {folder / "no such folder" / "a.ini", folder / "plain" / "a.ini"}) {
        TIniFile ini(file);
        ini.WriteString("S", "k", "v");
        try {
            ini.Commit();
            ADD_FAILURE() << "no error for " << file;
        } catch (const EFileWriteError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + file.string());
        }
    }
}

TEST(IniFile, FilesThatCannotBeReadWholeAreNeverOverwritten)
{
    TTempFolder folder;
    std::filesystem::create_directory(folder / "folder.ini");
    TIniFile directory(folder / "folder.ini");
    EXPECT_EQ(directory.ReadString("S", "k", "d"), "d");
    directory.WriteString("S", "k", "v");
    EXPECT_THROW(directory.Commit(), EFileWriteError);

    const std::string huge = "[S]\r\nk=1\r\n" + std::string(2u << 20, 'z');
    WriteFile(folder / "huge.ini", huge);
    TIniFile big(folder / "huge.ini");
    EXPECT_EQ(big.ReadInteger("S", "k", 0), 1);
    big.WriteString("S", "k", "2");
    EXPECT_THROW(big.Commit(), EFileWriteError);
    EXPECT_EQ(ReadFile(folder / "huge.ini"), huge);
}

#if defined(__unix__)
// Limits how large a file this process may write, so that writing the new content fails part-way
// even for root, and restores the limit afterwards.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;
    bool Active() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};
#endif

TEST(IniFile, FailedWriteLeavesTheOldFileWhole)
{
#if defined(__unix__)
    TTempFolder folder;
    const auto file = folder / "Kavendor.ini";
    const std::string old = "[MainWin]\r\nTrackName=Assen\r\n";
    WriteFile(file, old);
    TIniFile ini(file);
    ini.WriteString("MainWin", "TrackName", std::string(1500, 'n'));
    {
        TFileSizeLimit limit(1024);
        if (!limit.Active())
            GTEST_SKIP() << "cannot limit the file size here";
        EXPECT_THROW(ini.Commit(), EFileWriteError);
    }
    EXPECT_EQ(ReadFile(file), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "the temporary file is removed";
    ini.Commit();
    EXPECT_EQ(TIniFile(file).ReadString("MainWin", "TrackName", ""), std::string(1500, 'n'));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "the temporary file became the file";
#else
    GTEST_SKIP() << "needs a per-process file size limit";
#endif
}

} // namespace
} // namespace kav
