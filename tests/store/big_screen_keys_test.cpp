// The keys of fit to screen (layout files) and alternate-row shading (Kavendor.ini): written only while
// on, so that files written with them off are the files the program always wrote.
#include <gtest/gtest.h>

#include "ini_file.h"
#include "layout_store.h"
#include "settings_store.h"
#include "temp_folder.h"

namespace kav {
namespace {

TResultWinRec Window(bool fit, int rows, int seconds)
{
    TResultWinRec rec;
    rec.Number = 2;
    rec.Layout = kLayoutCurrentRace;
    rec.ColRel[0] = 0;
    rec.FitToScreen = fit;
    rec.FitRows = rows;
    rec.PageSeconds = seconds;
    rec.WinExist = true;
    rec.RebuildColPos();
    return rec;
}

std::string Layout(const std::filesystem::path& file, const TResultWinRec& rec)
{
    WriteLayout(file, {}, {}, {&rec, 1});
    return ReadFile(file);
}

TResultWinRec ReadBack(const std::filesystem::path& file)
{
    TResultWinRec rec;
    ReadResultWin(file, 2, rec);
    rec.Number = 2;
    return rec;
}

TEST(BigScreenKeys, FitToScreenIsWrittenOnlyWhileOnAndReadsBack)
{
    TTempFolder folder;
    const std::string off = Layout(folder / "off.kvl", Window(false, 12, 8));
    EXPECT_EQ(off, Layout(folder / "plain.kvl", Window(false, 0, 0))) << "rows and seconds go with the choice";
    EXPECT_EQ(off.find("Fit"), std::string::npos);
    const std::string on = Layout(folder / "on.kvl", Window(true, 12, 8));
    EXPECT_NE(on.find("FitToScreen=1\r\nFitRows=12\r\nPageSeconds=8\r\n"), std::string::npos) << on;
    EXPECT_EQ(ReadBack(folder / "on.kvl"), Window(true, 12, 8));
    EXPECT_EQ(ReadBack(folder / "off.kvl"), Window(false, 0, 0));
    // Saving over a fitted layout with the choice off leaves no trace of it.
    EXPECT_EQ(Layout(folder / "on.kvl", Window(false, 12, 8)), off);
}

TEST(BigScreenKeys, OutOfRangeRowsAndSecondsReadAsTheNearestAllowed)
{
    TTempFolder folder;
    const auto file = folder / "edited.kvl";
    WriteFile(file, "[ResultWin2]\r\nFitToScreen=1\r\nFitRows=-3\r\nPageSeconds=99999\r\n");
    EXPECT_EQ(ReadBack(file).FitRows, 0);
    EXPECT_EQ(ReadBack(file).PageSeconds, kMaxPageSeconds);
}

TEST(BigScreenKeys, AlternateRowsKeyIsInTheColoursSectionOnlyWhileOn)
{
    TTempFolder folder;
    const auto file = folder / "Kavendor.ini";
    TMainSettings settings;
    WriteMainSettings(file, settings, false);
    const std::string plain = ReadFile(file);
    settings.AlternateRows = true;
    WriteMainSettings(file, settings, false);
    EXPECT_NE(ReadFile(file).find("Color12=-2147483633\r\nAlternateRows=1\r\n"), std::string::npos);
    TMainSettings read;
    bool showFlag = false;
    ReadMainSettings(file, read, showFlag);
    EXPECT_TRUE(read.AlternateRows);
    settings.AlternateRows = false;
    WriteMainSettings(file, settings, false);
    EXPECT_EQ(ReadFile(file), plain);
    ReadMainSettings(file, read, showFlag);
    EXPECT_FALSE(read.AlternateRows);
}

TEST(BigScreenKeys, EraseKeyRemovesTheKeyFromEverySectionOfThatNameOnly)
{
    TTempFolder folder;
    const auto file = folder / "keys.ini";
    WriteFile(file, "[A]\r\nKey=1\r\nOther=2\r\n[B]\r\nKey=3\r\n[a]\r\n key =4\r\n");
    TIniFile ini(file);
    ini.EraseKey("A", "KEY");
    EXPECT_TRUE(ini.Modified());
    EXPECT_EQ(ini.ToText(), "[A]\r\nOther=2\r\n[B]\r\nKey=3\r\n[a]\r\n");
}

} // namespace
} // namespace kav
