#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "file_errors.h"
#include "ini_file.h"
#include "layout_store.h"
#include "section_io.h"
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

// What a window reads from a file that does not mention it.
TResultWinRec StoredWindowDefaults(std::uint8_t number)
{
    TResultWinRec rec;
    rec.Number = number;
    rec.Layout = 4;
    rec.TopRow = 1;
    rec.Font = {"Arial", 7, {}, -2147483640};
    rec.ColWidth.fill(100);
    return rec;
}

TEST(Store, EveryRecordHasItsDefaultsInAnEmptyOrForeignFile)
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
        EXPECT_EQ(settings.Headers[0], "Pos");
        EXPECT_EQ(settings.Headers[4], "Last Name");
        EXPECT_EQ(settings.Headers[16], "Diff");
        EXPECT_EQ(settings.Colors[7], 123) << "missing colours keep the current ones";
        EXPECT_EQ(settings.MainWin, (TWinPosRec{-1, -1, -1, -1, TWindowState::Normal, false}));
        EXPECT_EQ(settings.TrackName, "");
        EXPECT_EQ(settings.MarkerDelay, 5);
        EXPECT_EQ(settings.SpeedDecimals, 3);
        EXPECT_FALSE(settings.WinExist);
        EXPECT_FALSE(showFlag);

        TResultWinRec rec;
        rec.Number = 3;
        rec.Layout = 1;
        rec.ColRel = ColRelOf({0, 1});
        ReadResultWin(file, 3, rec);
        EXPECT_EQ(rec, StoredWindowDefaults(3));

        TLogoRec logo{{1, 2, 3, 4, TWindowState::Maximized, true}, true, "x.bmp"};
        ReadLogo(file, logo);
        EXPECT_EQ(logo, TLogoRec{});
        TGenInfo genInfo{1, 2};
        ReadGenInfo(file, genInfo);
        EXPECT_EQ(genInfo, (TGenInfo{255, 255, 255, 255, 255, 255, 255, 255, 255, 255}));
        EXPECT_FALSE(std::filesystem::exists(folder / "missing.kvl")) << "reading creates nothing";
    }
}

TEST(Store, MainSettingsFileHoldsEveryKeyInOrder)
{
    TTempFolder folder;
    const auto file = folder / "Kavendor.ini";
    TMainSettings settings;
    settings.Colors[2] = 65280;
    settings.LayoutFile = "/races/Assen.kvl";
    settings.Headers[1] = "M";
    settings.MainWin = {600, 800, 5, -4, TWindowState::Minimized, true};
    settings.TrackName = " Assen ";
    settings.TrackLength = 4542;
    settings.SpeedDecimals = 0;
    settings.FollowList[0] = "12";
    WriteMainSettings(file, settings, true);
    EXPECT_EQ(ReadFile(file),
              "[Colors]\r\nColor1=-2147483633\r\nColor2=-2147483633\r\nColor3=65280\r\nColor4=-2147483633\r\n"
              "Color5=-2147483640\r\nColor6=-2147483633\r\nColor7=-2147483640\r\nColor8=-2147483643\r\n"
              "Color9=16711680\r\nColor10=-2147483633\r\nColor11=-2147483640\r\nColor12=-2147483633\r\n"
              "\r\n"
              "[MainWin]\r\nWinHeigth=600\r\nWinWidth=800\r\nWinTop=5\r\nWinLeft=-4\r\nWinState=2\r\nWinActive=1\r\n"
              "PosHeader=Pos\r\nMarkerHeader=M\r\nCarHeader=Car\r\nFirstNameHeader=First Name\r\n"
              "LastNameHeader=Last Name\r\nCombineNameHeader=Name\r\nClassHeader=Class\r\nNationalityHeader=Nat\r\n"
              "AddDataHeader=Add data\r\nLapsHeader=Laps\r\nTotalTimeHeader=Total time\r\n"
              "LastLapTimeHeader=Last Laptime\r\nBestLapHeader=Best Lap\r\nBestLapTimeHeader=Best Laptime\r\n"
              "LastSpeedHeader=Last Spd\r\nBestSpeedHeader=Best Spd\r\nDiffLeaderHeader=Diff\r\n"
              "WinExist=1\r\nTrackName=\" Assen \"\r\nTrackLength=4542\r\nMarkerDelay=5\r\nSpeedDecimals=0\r\n"
              "LayoutFile=/races/Assen.kvl\r\nShowFlag=1\r\n");

    TMainSettings read;
    bool showFlag = false;
    ReadMainSettings(file, read, showFlag);
    settings.WinExist = true;
    settings.FollowList = {};
    EXPECT_EQ(read, settings);
    EXPECT_TRUE(showFlag);
}

TEST(Store, OldHandEditedSettingsFile)
{
    TMainSettings settings;
    bool showFlag = false;
    ReadMainSettings(kData / "store" / "old_kavendor.ini", settings, showFlag);
    TMainSettings expected;
    expected.Colors[6] = 0;
    expected.Colors[7] = 16777215;
    expected.MainWin = {768, 1024, 10, 20, TWindowState::Maximized, true};
    expected.Headers[0] = "P";
    expected.Headers[2] = "No.";
    expected.Headers[4] = "Driver";
    expected.WinExist = true;
    expected.TrackName = "Circuit Park Zandvoort";
    expected.TrackLength = 4259;
    expected.SpeedDecimals = 1;
    expected.LayoutFile = "C:\\Kavendor\\Layouts\\Race day.kvl";
    EXPECT_EQ(settings, expected);
    EXPECT_TRUE(showFlag);
}

TEST(Store, OldLayoutFileRestoresTheWindowsThatExist)
{
    const auto file = kData / "store" / "old_layout.kvl";
    std::vector<int> existing;
    TResultWinRec second;
    for (int number = 1; number <= 10; ++number) {
        TResultWinRec rec;
        ReadResultWin(file, number, rec);
        if (rec.WinExist)
            existing.push_back(number);
        if (number == 2)
            second = rec;
    }
    EXPECT_EQ(existing, (std::vector<int>{2, 7}));
    TResultWinRec expected = StoredWindowDefaults(0);
    expected.WinExist = true;
    expected.Layout = 1;
    expected.ScrollBars = false;
    expected.WinPos = {300, 500, 0, 0, TWindowState::Normal, false};
    expected.Font = {"Arial", 12, {true, false, false, false}, 0};
    expected.ColRel = ColRelOf({0, 2, 5});
    expected.ColWidth[2] = 45;
    expected.RebuildColPos();
    EXPECT_EQ(second, expected);

    TGenInfo genInfo;
    ReadGenInfo(file, genInfo);
    EXPECT_EQ(genInfo, (TGenInfo{10, 1, 255, 255, 255, 255, 255, 255, 255, 255}));
    TLogoRec logo;
    ReadLogo(file, logo);
    EXPECT_EQ(logo, (TLogoRec{{100, 200, 10, 10, TWindowState::Normal, false}, true, "C:\\Kavendor\\logo.bmp"}));
}

TEST(Store, LayoutWrittenReadsBackEqualAndFollowsTheWindows)
{
    TTempFolder folder;
    const auto file = folder / "race.kvl";
    WriteFile(file, "; written by hand\r\n[Notes]\r\nWho=me\r\n");
    const TGenInfo genInfo{10, 1, 8, 255, 255, 255, 255, 255, 255, 255};
    const TLogoRec logo{{100, 120, 10, 30, TWindowState::Normal, true}, true, "/pics/logo 1.png"};
    TResultWinRec race;
    race.Number = 2;
    race.Layout = 4;
    race.Font = {"DejaVu Sans", 14, {true, true, false, true}, -2147483640};
    race.WinPos = {400, 616, 12, 8, TWindowState::Maximized, true};
    race.ColRel = ColRelOf({0, 1, 2, 5, 7, 8, 14});
    race.ColWidth[5] = 222;
    race.ScrollBars = false;
    race.TopRow = 7;
    race.RebuildColPos();
    TResultWinRec practice = race;
    practice.Number = 7;
    practice.Layout = 2;
    practice.ColRel = ColRelOf({16, 15, 11});
    practice.RebuildColPos();

    WriteGenInfo(file, genInfo);
    WriteLogo(file, logo);
    WriteResultWin(file, race);
    WriteResultWin(file, practice);
    const auto readWindow = [&file](int number) {
        TResultWinRec rec;
        rec.Number = static_cast<std::uint8_t>(number);
        ReadResultWin(file, number, rec);
        return rec;
    };
    TResultWinRec expected = race;
    expected.WinExist = true;
    EXPECT_EQ(readWindow(2), expected);
    EraseResultWin(file, 2);
    EXPECT_FALSE(readWindow(2).WinExist);
    expected = practice;
    expected.WinExist = true;
    EXPECT_EQ(readWindow(7), expected);

    TGenInfo genInfoRead;
    ReadGenInfo(file, genInfoRead);
    EXPECT_EQ(genInfoRead, genInfo);
    TLogoRec logoRead;
    ReadLogo(file, logoRead);
    EXPECT_EQ(logoRead, logo);
    EXPECT_EQ(TIniFile(file).ReadString("Notes", "Who", ""), "me");
    EXPECT_EQ(ReadFile(file).rfind("; written by hand\r\n[Notes]\r\nWho=me\r\n", 0), 0u);
}

// The whole layout in one write leaves the file the part by part routines leave, foreign sections and
// windows it does not name included.
TEST(Store, LayoutWrittenAtOnceMatchesTheRoutinesOneByOne)
{
    TTempFolder folder;
    const std::string before = "; by hand\r\n[Notes]\r\nWho=me\r\n[ResultWin9]\r\nLayout=2\r\nWinExist=1\r\n";
    WriteFile(folder / "parts.kvl", before);
    WriteFile(folder / "whole.kvl", before);
    const TGenInfo genInfo{3, 1, 255, 255, 255, 255, 255, 255, 255, 255};
    const TLogoRec logo{{80, 90, 1, 2, TWindowState::Minimized, false}, true, "logo.png"};
    std::vector<TResultWinRec> windows(2);
    windows[0].Number = 4;
    windows[0].Layout = 1;
    windows[0].ColRel = ColRelOf({2, 0, 9});
    windows[1].Number = 1;
    windows[1].Layout = 3;
    windows[1].Font = {"DejaVu Sans Mono", 12, {false, true, false, false}, 255};
    for (TResultWinRec& rec : windows)
        rec.RebuildColPos();

    WriteGenInfo(folder / "parts.kvl", genInfo);
    WriteLogo(folder / "parts.kvl", logo);
    for (const TResultWinRec& rec : windows)
        WriteResultWin(folder / "parts.kvl", rec);
    WriteLayout(folder / "whole.kvl", genInfo, logo, windows);
    EXPECT_EQ(ReadFile(folder / "whole.kvl"), ReadFile(folder / "parts.kvl"));
}

TEST(Store, ColoursChangeOnlyWhereAValueIsStored)
{
    TTempFolder folder;
    WriteFile(folder / "k.ini", "[Colors]\r\nColor3=65280\r\nColor5=-1\r\nColor6=blue\r\n");
    TMainSettings settings;
    bool showFlag = false;
    ReadMainSettings(folder / "k.ini", settings, showFlag);
    TColors expected = DefaultColors;
    expected[2] = 65280;
    EXPECT_EQ(settings.Colors, expected);
}

TEST(Store, DamagedValuesGiveAUsableRecord)
{
    TTempFolder folder;
    const auto file = folder / "bad.kvl";
    WriteFile(file, "[ResultWin1]\r\nWinState=0\r\nLayout=300\r\nColRel0=3\r\nColRel1=200\r\nColRel2=3\r\n"
                    "ColRel3=17\r\nColRel4=0\r\nColRel5=-1\r\nColRel6=255\r\nColRel7=5\r\n"
                    "[ResultWin2]\r\nWinState=4\r\nColRel0=$10\r\nColRel1=18\r\nColRel2=16\r\n"
                    "[GeneralInfo]\r\nGenInfo1=10\r\nGenInfo2=0\r\nGenInfo3=10\r\nGenInfo4=11\r\nGenInfo5=2\r\n");
    TResultWinRec rec;
    ReadResultWin(file, 1, rec);
    EXPECT_EQ(rec.WinPos.State, TWindowState::Normal);
    EXPECT_EQ(rec.Layout, 4);
    EXPECT_EQ(rec.ColRel, ColRelOf({3, 0}));
    TColPos colPos = EmptyColRel();
    colPos[3] = 0;
    colPos[0] = 1;
    EXPECT_EQ(rec.ColPos, colPos);
    ReadResultWin(file, 2, rec);
    EXPECT_EQ(rec.WinPos.State, TWindowState::Normal);
    EXPECT_EQ(rec.ColRel, ColRelOf({16}));

    TGenInfo genInfo;
    ReadGenInfo(file, genInfo);
    EXPECT_EQ(genInfo, (TGenInfo{10, 2, 255, 255, 255, 255, 255, 255, 255, 255}));
}

TEST(Store, ColPosFollowsTheArrangement)
{
    TResultWinRec rec;
    rec.ColRel = ColRelOf({8, 4, 200, 17, 0});
    rec.RebuildColPos();
    TColPos expected = EmptyColRel();
    expected[8] = 0;
    expected[4] = 1;
    expected[0] = 4;
    EXPECT_EQ(rec.ColPos, expected) << "unknown identifiers keep their place but get no column";
    rec.ColRel = ColRelOf({});
    rec.RebuildColPos();
    EXPECT_EQ(rec.ColPos, EmptyColRel());
}

TEST(Store, FailedWriteOfARoutineRaisesTheFileError)
{
    TTempFolder folder;
    const auto file = folder / "gone" / "race.kvl";
    // Named records: GCC 12 at -O3 warns falsely about temporaries inside EXPECT_THROW.
    const TResultWinRec window;
    const TMainSettings settings;
    const TGenInfo genInfo{};
    EXPECT_THROW(WriteResultWin(file, window), EFileWriteError);
    EXPECT_THROW(WriteMainSettings(file, settings, false), EFileWriteError);
    EXPECT_THROW(WriteGenInfo(folder.Path(), genInfo), EFileWriteError) << "a folder is not a layout file";
    const TLogoRec logo;
    EXPECT_THROW(WriteLayout(file, genInfo, logo, {&window, 1}), EFileWriteError);
}

} // namespace
} // namespace kav
