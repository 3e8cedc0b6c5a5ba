#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ini_file.h"
#include "layout_store.h"
#include "settings_store.h"
#include "temp_folder.h"

namespace kav {
namespace {

const std::filesystem::path kData = KAV_TEST_DATA;

TColRel ColRelOf(std::vector<std::uint8_t> ids)
{
    TColRel colRel = EmptyColRel();
    std::copy(ids.begin(), ids.end(), colRel.begin());
    return colRel;
}

TResultWinRec readWindow(const std::filesystem::path& file, int number)
{
    TResultWinRec rec;
    rec.Number = static_cast<std::uint8_t>(number);
    ReadResultWin(file, number, rec);
    return rec;
}

// Every record read from a file that does not hold it has its defaults, written out as in
// tests/data/store/nothing_read.*, except the colours, which keep the current ones.
TEST(Store, EveryRecordHasItsDefaultsInAMissingEmptyOrForeignFile)
{
    TTempFolder folder;
    WriteFile(folder / "empty.kvl", "");
    WriteFile(folder / "foreign.kvl", std::string("\x7F"
                                                  "ELF\0\x01\x02[\xFF]\r\n=\n\0\0",
                                                  15));
    for (const auto& file : {folder / "missing.kvl", folder / "empty.kvl", folder / "foreign.kvl"}) {
        TMainSettings settings;
        settings.TrackName = "stale";
        settings.Headers[4] = "stale";
        settings.Colors[7] = 123;
        bool showFlag = true;
        ReadMainSettings(file, settings, showFlag);
        TLogoRec logo{{1, 2, 3, 4, TWindowState::Maximized, true}, true, "x.bmp"};
        ReadLogo(file, logo);
        TGenInfo genInfo{1, 2};
        ReadGenInfo(file, genInfo);
        WriteMainSettings(folder / "read.ini", settings, showFlag);
        const TResultWinRec window = readWindow(file, 3);
        EXPECT_FALSE(settings.WinExist || window.WinExist) << file;
        WriteLayout(folder / "read.kvl", genInfo, logo, {&window, 1});
        EXPECT_EQ(ReadFile(folder / "read.ini"), ReadFile(kData / "store" / "nothing_read.ini")) << file;
        EXPECT_EQ(ReadFile(folder / "read.kvl"), ReadFile(kData / "store" / "nothing_read.kvl")) << file;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "missing.kvl")) << "reading creates nothing";
}

// Old files edited by hand (odd spacing, letter case, hexadecimal, damaged values) read as the program
// writes them back.
TEST(Store, OldHandEditedFilesReadAsTheProgramWritesThemBack)
{
    TTempFolder folder;
    TMainSettings settings;
    bool showFlag = false;
    ReadMainSettings(kData / "store" / "old_kavendor.ini", settings, showFlag);
    WriteMainSettings(folder / "Kavendor.ini", settings, showFlag);
    EXPECT_EQ(ReadFile(folder / "Kavendor.ini"), ReadFile(kData / "store" / "old_kavendor_read.ini"));
    const auto old = kData / "store" / "old_layout.kvl";
    TGenInfo genInfo;
    ReadGenInfo(old, genInfo);
    TLogoRec logo;
    ReadLogo(old, logo);
    std::vector<TResultWinRec> windows;
    for (int number = 1; number <= 10; ++number) {
        if (readWindow(old, number).WinExist)
            windows.push_back(readWindow(old, number));
    }
    WriteLayout(folder / "layout.kvl", genInfo, logo, windows);
    EXPECT_EQ(ReadFile(folder / "layout.kvl"), ReadFile(kData / "store" / "old_layout_read.kvl"));
}

TEST(Store, LayoutWrittenReadsBackEqualAndKeepsForeignContent)
{
    TTempFolder folder;
    const auto file = folder / "race.kvl";
    WriteFile(file, "; written by hand\r\n[Notes]\r\nWho=me\r\n[ResultWin9]\r\nLayout=2\r\nWinExist=1\r\n");
    const TGenInfo genInfo{10, 1, 8, 255, 255, 255, 255, 255, 255, 255};
    const TLogoRec logo{{100, 120, 10, 30, TWindowState::Normal, true}, true, "/pics/logo 1.png"};
    std::vector<TResultWinRec> windows(2);
    windows[0].Number = 2;
    windows[0].Layout = 4;
    windows[0].Font = {"DejaVu Sans", 14, {true, true, false, true}, -2147483640};
    windows[0].WinPos = {400, 616, 12, 8, TWindowState::Maximized, true};
    windows[0].ColRel = ColRelOf({0, 1, 2, 5, 7, 8, 14});
    windows[0].ColWidth[5] = 222;
    windows[0].ScrollBars = false;
    windows[0].TopRow = 7;
    windows[1].Number = 7;
    windows[1].Layout = 2;
    windows[1].ColRel = ColRelOf({16, 15, 11});
    for (TResultWinRec& rec : windows) {
        rec.WinExist = true;
        rec.RebuildColPos();
    }
    WriteLayout(file, genInfo, logo, windows);
    EXPECT_EQ(readWindow(file, 2), windows[0]);
    EXPECT_EQ(readWindow(file, 7), windows[1]);
    EXPECT_TRUE(readWindow(file, 9).WinExist);
    EraseResultWin(file, 2);
    EXPECT_FALSE(readWindow(file, 2).WinExist);
    windows[1].TopRow = 3;
    WriteResultWin(file, windows[1]);
    EXPECT_EQ(readWindow(file, 7), windows[1]);
    TGenInfo genInfoRead;
    ReadGenInfo(file, genInfoRead);
    EXPECT_EQ(genInfoRead, genInfo);
    TLogoRec logoRead;
    ReadLogo(file, logoRead);
    EXPECT_EQ(logoRead, logo);
    EXPECT_EQ(ReadFile(file).rfind("; written by hand\r\n[Notes]\r\nWho=me\r\n", 0), 0u);
}

TEST(Store, DamagedValuesGiveAUsableRecord)
{
    TTempFolder folder;
    const auto file = folder / "bad.kvl";
    WriteFile(file, "[ResultWin1]\r\nWinState=0\r\nLayout=300\r\nColRel0=3\r\nColRel1=200\r\nColRel2=3\r\n"
                    "ColRel3=17\r\nColRel4=0\r\nColRel5=-1\r\nColRel6=255\r\nColRel7=5\r\n"
                    "[ResultWin2]\r\nWinState=4\r\nColRel0=$10\r\nColRel1=18\r\nColRel2=16\r\n"
                    "[GeneralInfo]\r\nGenInfo1=10\r\nGenInfo2=0\r\nGenInfo3=10\r\nGenInfo4=11\r\nGenInfo5=2\r\n"
                    "[Colors]\r\nColor3=65280\r\nColor5=-1\r\nColor6=blue\r\n");
    TResultWinRec rec = readWindow(file, 1);
    EXPECT_EQ(rec.WinPos.State, TWindowState::Normal);
    EXPECT_EQ(rec.Layout, 4);
    EXPECT_EQ(rec.ColRel, ColRelOf({3, 0}));
    TColPos colPos = EmptyColRel();
    colPos[3] = 0;
    colPos[0] = 1;
    EXPECT_EQ(rec.ColPos, colPos);
    rec = readWindow(file, 2);
    EXPECT_EQ(rec.WinPos.State, TWindowState::Normal);
    EXPECT_EQ(rec.ColRel, ColRelOf({16}));
    TGenInfo genInfo;
    ReadGenInfo(file, genInfo);
    EXPECT_EQ(genInfo, (TGenInfo{10, 2, 255, 255, 255, 255, 255, 255, 255, 255}));
    TMainSettings settings;
    bool showFlag = false;
    ReadMainSettings(file, settings, showFlag);
    TColors colours = DefaultColors;
    colours[2] = 65280;
    EXPECT_EQ(settings.Colors, colours) << "colours change only where a number is stored";
}

} // namespace
} // namespace kav
