#include "layout_store.h"

#include <algorithm>

#include "file_access.h"
#include "ini_file.h"
#include "section_io.h"

namespace kav {
namespace {

constexpr std::string_view kGenInfoSection = "GeneralInfo";
constexpr std::string_view kLogoSection = "Logo";
constexpr std::string_view kRaceChartsSection = "RaceCharts";
constexpr int kMaxLapTimeCars = 100;
constexpr std::uint8_t kFirstGenInfoItem = 1;
constexpr std::uint8_t kLastGenInfoItem = 10;
constexpr std::string_view kFitToScreenKey = "FitToScreen";
constexpr std::string_view kFitRowsKey = "FitRows";
constexpr std::string_view kPageSecondsKey = "PageSeconds";

std::string GenInfoKey(std::size_t index)
{
    return "GenInfo" + std::to_string(index + 1);
}

void PutGenInfo(TIniFile& ini, const TGenInfo& genInfo)
{
    for (std::size_t i = 0; i < kGenInfoCount; ++i)
        ini.WriteInteger(kGenInfoSection, GenInfoKey(i), genInfo[i]);
}

void PutLogo(TIniFile& ini, const TLogoRec& logo)
{
    WriteWinPos(ini, kLogoSection, logo.WinPos);
    ini.WriteBool(kLogoSection, "LogoVisible", logo.Visible);
    ini.WriteString(kLogoSection, "LogoFileName", logo.FileName);
}

// Written only while on, so that a layout without it stays as the program always wrote it.
void PutFitToScreen(TIniFile& ini, const std::string& section, const TResultWinRec& rec)
{
    if (!rec.FitToScreen) {
        for (const std::string_view key : {kFitToScreenKey, kFitRowsKey, kPageSecondsKey})
            ini.EraseKey(section, key);
        return;
    }
    ini.WriteBool(section, kFitToScreenKey, true);
    ini.WriteInteger(section, kFitRowsKey, rec.FitRows);
    ini.WriteInteger(section, kPageSecondsKey, rec.PageSeconds);
}

void ReadFitToScreen(const TIniFile& ini, const std::string& section, TResultWinRec& rec)
{
    rec.FitToScreen = ini.ReadBool(section, kFitToScreenKey, false);
    rec.FitRows = std::clamp(ini.ReadInteger(section, kFitRowsKey, 0), 0, kMaxFitRows);
    rec.PageSeconds = std::clamp(ini.ReadInteger(section, kPageSecondsKey, 0), 0, kMaxPageSeconds);
}

void PutResultWin(TIniFile& ini, const TResultWinRec& rec)
{
    const std::string section = ResultWinSection(rec.Number);
    ini.WriteInteger(section, "Layout", rec.Layout);
    ini.WriteBool(section, "ScrollBars", rec.ScrollBars);
    ini.WriteBool(section, "Sizeable", rec.Sizeable);
    ini.WriteBool(section, "Grid", rec.Grid);
    ini.WriteInteger(section, "TopRow", rec.TopRow);
    WriteWinPos(ini, section, rec.WinPos);
    WriteFontRec(ini, section, rec.Font);
    WriteColRel(ini, section, rec.ColRel);
    WriteColWidth(ini, section, rec.ColWidth);
    ini.WriteBool(section, "WinExist", true);
    PutFitToScreen(ini, section, rec);
}

std::string lapTimeCarKey(int index)
{
    return "LapTimeCar" + std::to_string(index + 1);
}

void putRaceCharts(TIniFile& ini, const RaceChartsRec& charts)
{
    ini.EraseSection(kRaceChartsSection);
    if (!charts.open)
        return;
    WriteWinPos(ini, kRaceChartsSection, charts.winPos);
    ini.WriteInteger(kRaceChartsSection, "Chart", charts.chart);
    const int cars = std::min(static_cast<int>(charts.lapTimeCars.size()), kMaxLapTimeCars);
    for (int i = 0; i < cars; ++i)
        ini.WriteString(kRaceChartsSection, lapTimeCarKey(i), charts.lapTimeCars[static_cast<std::size_t>(i)]);
    ini.WriteBool(kRaceChartsSection, "WinExist", true);
}

} // namespace

std::string ResultWinSection(int number)
{
    return "ResultWin" + std::to_string(number);
}

void WriteLayout(const std::filesystem::path& file, const TGenInfo& genInfo, const TLogoRec& logo,
                 std::span<const TResultWinRec> windows, TLayoutWrite mode, const RaceChartsRec& charts)
{
    // Replacing starts from an empty file (no path reads as one), so nothing of the old file survives.
    TIniFile ini(mode == TLayoutWrite::Replace ? std::filesystem::path() : file);
    PutGenInfo(ini, genInfo);
    PutLogo(ini, logo);
    for (const TResultWinRec& rec : windows)
        PutResultWin(ini, rec);
    putRaceCharts(ini, charts);
    if (mode == TLayoutWrite::Replace)
        ReplaceFile(file, ini.ToText());
    else
        ini.Commit();
}

void WriteGenInfo(const std::filesystem::path& file, const TGenInfo& genInfo)
{
    TIniFile ini(file);
    PutGenInfo(ini, genInfo);
    ini.Commit();
}

void ReadGenInfo(const std::filesystem::path& file, TGenInfo& genInfo)
{
    const TIniFile ini(file);
    for (std::size_t i = 0; i < kGenInfoCount; ++i)
        genInfo[i] = ReadByte(ini, kGenInfoSection, GenInfoKey(i), kNoCode);
    CompactCodes(genInfo, kFirstGenInfoItem, kLastGenInfoItem);
}

void WriteLogo(const std::filesystem::path& file, const TLogoRec& logo)
{
    TIniFile ini(file);
    PutLogo(ini, logo);
    ini.Commit();
}

void ReadLogo(const std::filesystem::path& file, TLogoRec& logo)
{
    const TIniFile ini(file);
    ReadWinPos(ini, kLogoSection, logo.WinPos);
    logo.Visible = ini.ReadBool(kLogoSection, "LogoVisible", false);
    logo.FileName = ini.ReadString(kLogoSection, "LogoFileName", "");
}

void WriteResultWin(const std::filesystem::path& file, const TResultWinRec& rec)
{
    TIniFile ini(file);
    PutResultWin(ini, rec);
    ini.Commit();
}

void ReadResultWin(const std::filesystem::path& file, int number, TResultWinRec& rec)
{
    const TIniFile ini(file);
    const std::string section = ResultWinSection(number);
    rec.Layout = ReadByte(ini, section, "Layout", kLayoutCurrentRace);
    rec.ScrollBars = ini.ReadBool(section, "ScrollBars", true);
    rec.Sizeable = ini.ReadBool(section, "Sizeable", true);
    rec.Grid = ini.ReadBool(section, "Grid", true);
    rec.TopRow = ini.ReadInteger(section, "TopRow", 1);
    ReadWinPos(ini, section, rec.WinPos);
    ReadFontRec(ini, section, rec.Font);
    ReadColRel(ini, section, rec.ColRel);
    ReadColWidth(ini, section, rec.ColWidth);
    rec.WinExist = ini.ReadBool(section, "WinExist", false);
    ReadFitToScreen(ini, section, rec);
    rec.RebuildColPos();
}

void EraseResultWin(const std::filesystem::path& file, int number)
{
    TIniFile ini(file);
    ini.EraseSection(ResultWinSection(number));
    ini.Commit();
}

RaceChartsRec readRaceCharts(const std::filesystem::path& file)
{
    const TIniFile ini(file);
    RaceChartsRec charts;
    charts.open = ini.ReadBool(kRaceChartsSection, "WinExist", false);
    if (!charts.open)
        return charts;
    ReadWinPos(ini, kRaceChartsSection, charts.winPos);
    charts.chart = ini.ReadInteger(kRaceChartsSection, "Chart", 0);
    for (int i = 0; i < kMaxLapTimeCars; ++i) {
        std::string car = ini.ReadString(kRaceChartsSection, lapTimeCarKey(i), "");
        if (car.empty())
            break;
        charts.lapTimeCars.push_back(std::move(car));
    }
    return charts;
}

} // namespace kav
