#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ini_file.h"
#include "layout_store.h"
#include "settings_store.h"
#include "temporary_folder.h"
#include "window_settings.h"

namespace kav {
namespace {

const std::filesystem::path kData = KAV_TEST_DATA;

ResultWindowSettings readWindow(const std::filesystem::path& file, int number)
{
    ResultWindowSettings rec;
    rec.Number = static_cast<std::uint8_t>(number);
    readResultWindow(file, number, rec);
    return rec;
}

// Every record read from a file that does not hold it has its defaults, written out as in
// tests/data/store/nothing_read.*, except the colours, which keep the current ones.
TEST(Store, EveryRecordHasItsDefaultsInAMissingEmptyOrForeignFile)
{
    TemporaryFolder folder;
    writeFile(folder / "empty.kvl", "");
    writeFile(folder / "foreign.kvl", std::string("\177ELF\0\x01\x02[\xFF]\r\n=\n\0\0", 15));
    for (const auto& file : {folder / "missing.kvl", folder / "empty.kvl", folder / "foreign.kvl"}) {
        MainSettings settings;
        settings.TrackName = "stale";
        settings.Headers[4] = "stale";
        settings.Colors[7] = 123;
        bool showFlag = true;
        readMainSettings(file, settings, showFlag);
        LogoSettings logo{{1, 2, 3, 4, WindowState::Maximized, true}, true, "x.bmp"};
        readLogo(file, logo);
        GeneralInfoItems genInfo{1, 2};
        readGeneralInfo(file, genInfo);
        writeMainSettings(folder / "read.ini", settings, showFlag);
        const ResultWindowSettings window = readWindow(file, 3);
        EXPECT_FALSE(settings.WinExist || window.WinExist) << file;
        writeLayout(folder / "read.kvl", genInfo, logo, {&window, 1});
        EXPECT_EQ(readFile(folder / "read.ini"), readFile(kData / "store" / "nothing_read.ini")) << file;
        EXPECT_EQ(readFile(folder / "read.kvl"), readFile(kData / "store" / "nothing_read.kvl")) << file;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "missing.kvl")) << "reading creates nothing";
}

// Old files edited by hand (odd spacing, letter case, hexadecimal, damaged values) read as the program
// writes them back.
TEST(Store, OldHandEditedFilesReadAsTheProgramWritesThemBack)
{
    TemporaryFolder folder;
    MainSettings settings;
    bool showFlag = false;
    readMainSettings(kData / "store" / "old_kavendor.ini", settings, showFlag);
    writeMainSettings(folder / "Kavendor.ini", settings, showFlag);
    EXPECT_EQ(readFile(folder / "Kavendor.ini"), readFile(kData / "store" / "old_kavendor_read.ini"));
    const auto old = kData / "store" / "old_layout.kvl";
    GeneralInfoItems genInfo;
    readGeneralInfo(old, genInfo);
    LogoSettings logo;
    readLogo(old, logo);
    std::vector<ResultWindowSettings> windows;
    for (int number = 1; number <= 10; ++number) {
        if (readWindow(old, number).WinExist)
            windows.push_back(readWindow(old, number));
    }
    writeLayout(folder / "layout.kvl", genInfo, logo, windows);
    EXPECT_EQ(readFile(folder / "layout.kvl"), readFile(kData / "store" / "old_layout_read.kvl"));
}

TEST(Store, LayoutWrittenReadsBackEqualAndKeepsForeignContent)
{
    TemporaryFolder folder;
    const auto file = folder / "race.kvl";
    writeFile(file, "; written by hand\r\n[Notes]\r\nWho=me\r\n[ResultWin9]\r\nLayout=2\r\nWinExist=1\r\n");
    const GeneralInfoItems genInfo{10, 1, 8, 255, 255, 255, 255, 255, 255, 255};
    const LogoSettings logo{{100, 120, 10, 30, WindowState::Normal, true}, true, "/pics/logo 1.png"};
    std::vector<ResultWindowSettings> windows(2);
    windows[0].Number = 2;
    windows[0].Layout = 4;
    windows[0].Font = {"DejaVu Sans", 14, {true, true, false, true}, -2147483640};
    windows[0].WinPos = {400, 616, 12, 8, WindowState::Maximized, true};
    windows[0].ColRel = columnOrder({0, 1, 2, 5, 7, 8, 14});
    windows[0].ColWidth[5] = 222;
    windows[0].ScrollBars = false;
    windows[0].TopRow = 7;
    windows[1].Number = 7;
    windows[1].Layout = 2;
    windows[1].ColRel = columnOrder({16, 15, 11});
    for (ResultWindowSettings& rec : windows) {
        rec.WinExist = true;
        rec.rebuildColumnPositions();
    }
    writeLayout(file, genInfo, logo, windows);
    EXPECT_EQ(readWindow(file, 2), windows[0]);
    EXPECT_EQ(readWindow(file, 7), windows[1]);
    EXPECT_TRUE(readWindow(file, 9).WinExist);
    eraseResultWindow(file, 2);
    EXPECT_FALSE(readWindow(file, 2).WinExist);
    windows[1].TopRow = 3;
    writeResultWindow(file, windows[1]);
    EXPECT_EQ(readWindow(file, 7), windows[1]);
    GeneralInfoItems genInfoRead;
    readGeneralInfo(file, genInfoRead);
    EXPECT_EQ(genInfoRead, genInfo);
    LogoSettings logoRead;
    readLogo(file, logoRead);
    EXPECT_EQ(logoRead, logo);
    EXPECT_EQ(readFile(file).rfind("; written by hand\r\n[Notes]\r\nWho=me\r\n", 0), 0u);
}

TEST(Store, DamagedValuesGiveAUsableRecord)
{
    TemporaryFolder folder;
    const auto file = folder / "bad.kvl";
    writeFile(file, "[ResultWin1]\r\nWinState=0\r\nLayout=300\r\nColRel0=3\r\nColRel1=200\r\nColRel2=3\r\n"
                    "ColRel3=25\r\nColRel4=0\r\nColRel5=-1\r\nColRel6=255\r\nColRel7=5\r\n"
                    "[ResultWin2]\r\nWinState=4\r\nLayout=255\r\nColRel0=$10\r\nColRel1=26\r\nColRel2=16\r\n"
                    "[GeneralInfo]\r\nGenInfo1=10\r\nGenInfo2=0\r\nGenInfo3=10\r\nGenInfo4=11\r\nGenInfo5=2\r\n"
                    "[Colors]\r\nColor3=65280\r\nColor5=-1\r\nColor6=blue\r\n");
    ResultWindowSettings rec = readWindow(file, 1);
    EXPECT_EQ(rec.WinPos.State, WindowState::Normal);
    EXPECT_EQ(rec.Layout, 4);
    EXPECT_EQ(rec.ColRel, columnOrder({3, 0}));
    ColumnPositions colPos = emptyColumnOrder();
    colPos[3] = 0;
    colPos[0] = 1;
    EXPECT_EQ(rec.ColPos, colPos);
    rec = readWindow(file, 2);
    EXPECT_EQ(rec.WinPos.State, WindowState::Normal);
    EXPECT_EQ(rec.Layout, 255) << "a byte's top value is taken";
    EXPECT_EQ(rec.ColRel, columnOrder({16}));
    GeneralInfoItems genInfo;
    readGeneralInfo(file, genInfo);
    EXPECT_EQ(genInfo, (GeneralInfoItems{10, 2, 255, 255, 255, 255, 255, 255, 255, 255}));
    MainSettings settings;
    bool showFlag = false;
    readMainSettings(file, settings, showFlag);
    ColorTable colours = DefaultColors;
    colours[2] = 65280;
    EXPECT_EQ(settings.Colors, colours) << "colours change only where a number is stored";
}

} // namespace
} // namespace kav
