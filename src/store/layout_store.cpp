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
constexpr std::string_view kClassKey = "Class";

std::string generalInfoKey(std::size_t index)
{
    return "GenInfo" + std::to_string(index + 1);
}

void putGeneralInfo(IniFile& ini, const GeneralInfoItems& genInfo)
{
    for (std::size_t i = 0; i < kGenInfoCount; ++i)
        ini.writeInteger(kGenInfoSection, generalInfoKey(i), genInfo[i]);
}

void putLogo(IniFile& ini, const LogoSettings& logo)
{
    writeWindowPlacement(ini, kLogoSection, logo.WinPos);
    ini.writeBool(kLogoSection, "LogoVisible", logo.Visible);
    ini.writeString(kLogoSection, "LogoFileName", logo.FileName);
}

// Written only while on, so that a layout without it stays as the program always wrote it.
void putFitToScreen(IniFile& ini, const std::string& section, const ResultWindowSettings& rec)
{
    if (!rec.FitToScreen) {
        for (const std::string_view key : {kFitToScreenKey, kFitRowsKey, kPageSecondsKey})
            ini.eraseKey(section, key);
        return;
    }
    ini.writeBool(section, kFitToScreenKey, true);
    ini.writeInteger(section, kFitRowsKey, rec.FitRows);
    ini.writeInteger(section, kPageSecondsKey, rec.PageSeconds);
}

void readFitToScreen(const IniFile& ini, const std::string& section, ResultWindowSettings& rec)
{
    rec.FitToScreen = ini.readBool(section, kFitToScreenKey, false);
    rec.FitRows = std::clamp(ini.readInteger(section, kFitRowsKey, 0), 0, kMaxFitRows);
    rec.PageSeconds = std::clamp(ini.readInteger(section, kPageSecondsKey, 0), 0, kMaxPageSeconds);
}

void putResultWindow(IniFile& ini, const ResultWindowSettings& rec)
{
    const std::string section = resultWindowSection(rec.Number);
    ini.writeInteger(section, "Layout", rec.Layout);
    ini.writeBool(section, "ScrollBars", rec.ScrollBars);
    ini.writeBool(section, "Sizeable", rec.Sizeable);
    ini.writeBool(section, "Grid", rec.Grid);
    ini.writeInteger(section, "TopRow", rec.TopRow);
    writeWindowPlacement(ini, section, rec.WinPos);
    writeFontSettings(ini, section, rec.Font);
    writeColumnOrder(ini, section, rec.ColRel);
    writeColumnWidths(ini, section, rec.ColWidth);
    ini.writeBool(section, "WinExist", true);
    putFitToScreen(ini, section, rec);
    // Written only when set, as the fit to screen keys.
    if (rec.ClassFilter.empty())
        ini.eraseKey(section, kClassKey);
    else
        ini.writeString(section, kClassKey, rec.ClassFilter);
}

std::string lapTimeCarKey(int index)
{
    return "LapTimeCar" + std::to_string(index + 1);
}

void putRaceCharts(IniFile& ini, const RaceChartsRec& charts)
{
    ini.eraseSection(kRaceChartsSection);
    if (!charts.open)
        return;
    writeWindowPlacement(ini, kRaceChartsSection, charts.winPos);
    ini.writeInteger(kRaceChartsSection, "Chart", charts.chart);
    const int cars = std::min(static_cast<int>(charts.lapTimeCars.size()), kMaxLapTimeCars);
    for (int i = 0; i < cars; ++i)
        ini.writeString(kRaceChartsSection, lapTimeCarKey(i), charts.lapTimeCars[static_cast<std::size_t>(i)]);
    ini.writeBool(kRaceChartsSection, "WinExist", true);
}

} // namespace

std::string resultWindowSection(int number)
{
    return "ResultWin" + std::to_string(number);
}

void writeLayout(const std::filesystem::path& file, const GeneralInfoItems& genInfo, const LogoSettings& logo,
                 std::span<const ResultWindowSettings> windows, LayoutWrite mode, const RaceChartsRec& charts)
{
    // Replacing starts from an empty file (no path reads as one), so nothing of the old file survives.
    IniFile ini(mode == LayoutWrite::Replace ? std::filesystem::path() : file);
    putGeneralInfo(ini, genInfo);
    putLogo(ini, logo);
    for (const ResultWindowSettings& rec : windows)
        putResultWindow(ini, rec);
    putRaceCharts(ini, charts);
    if (mode == LayoutWrite::Replace)
        replaceFile(file, ini.toText());
    else
        ini.commit();
}

void writeGeneralInfo(const std::filesystem::path& file, const GeneralInfoItems& genInfo)
{
    IniFile ini(file);
    putGeneralInfo(ini, genInfo);
    ini.commit();
}

void readGeneralInfo(const std::filesystem::path& file, GeneralInfoItems& genInfo)
{
    const IniFile ini(file);
    for (std::size_t i = 0; i < kGenInfoCount; ++i)
        genInfo[i] = readByte(ini, kGenInfoSection, generalInfoKey(i), kNoCode);
    compactCodes(genInfo, kFirstGenInfoItem, kLastGenInfoItem);
}

void writeLogo(const std::filesystem::path& file, const LogoSettings& logo)
{
    IniFile ini(file);
    putLogo(ini, logo);
    ini.commit();
}

void readLogo(const std::filesystem::path& file, LogoSettings& logo)
{
    const IniFile ini(file);
    readWindowPlacement(ini, kLogoSection, logo.WinPos);
    logo.Visible = ini.readBool(kLogoSection, "LogoVisible", false);
    logo.FileName = ini.readString(kLogoSection, "LogoFileName", "");
}

void writeResultWindow(const std::filesystem::path& file, const ResultWindowSettings& rec)
{
    IniFile ini(file);
    putResultWindow(ini, rec);
    ini.commit();
}

void readResultWindow(const std::filesystem::path& file, int number, ResultWindowSettings& rec)
{
    const IniFile ini(file);
    const std::string section = resultWindowSection(number);
    rec.Layout = readByte(ini, section, "Layout", kLayoutCurrentRace);
    rec.ScrollBars = ini.readBool(section, "ScrollBars", true);
    rec.Sizeable = ini.readBool(section, "Sizeable", true);
    rec.Grid = ini.readBool(section, "Grid", true);
    rec.TopRow = ini.readInteger(section, "TopRow", 1);
    readWindowPlacement(ini, section, rec.WinPos);
    readFontSettings(ini, section, rec.Font);
    readColumnOrder(ini, section, rec.ColRel);
    readColumnWidths(ini, section, rec.ColWidth);
    rec.WinExist = ini.readBool(section, "WinExist", false);
    readFitToScreen(ini, section, rec);
    rec.ClassFilter = ini.readString(section, kClassKey, "");
    rec.rebuildColumnPositions();
}

void eraseResultWindow(const std::filesystem::path& file, int number)
{
    IniFile ini(file);
    ini.eraseSection(resultWindowSection(number));
    ini.commit();
}

RaceChartsRec readRaceCharts(const std::filesystem::path& file)
{
    const IniFile ini(file);
    RaceChartsRec charts;
    charts.open = ini.readBool(kRaceChartsSection, "WinExist", false);
    if (!charts.open)
        return charts;
    readWindowPlacement(ini, kRaceChartsSection, charts.winPos);
    charts.chart = ini.readInteger(kRaceChartsSection, "Chart", 0);
    for (int i = 0; i < kMaxLapTimeCars; ++i) {
        std::string car = ini.readString(kRaceChartsSection, lapTimeCarKey(i), "");
        if (car.empty())
            break;
        charts.lapTimeCars.push_back(std::move(car));
    }
    return charts;
}

} // namespace kav
