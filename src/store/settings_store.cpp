#include "settings_store.h"

#include "ini_file.h"
#include "section_io.h"

namespace kav {
namespace {

constexpr std::string_view kColorsSection = "Colors";
constexpr std::string_view kMainSection = "MainWin";
constexpr std::string_view kAlternateRowsKey = "AlternateRows";

// Written only while on, so that the file stays as the program always wrote it.
void WriteAlternateRows(TIniFile& ini, bool on)
{
    if (on)
        ini.WriteBool(kColorsSection, kAlternateRowsKey, true);
    else
        ini.EraseKey(kColorsSection, kAlternateRowsKey);
}

} // namespace

void WriteMainSettings(const std::filesystem::path& file, const TMainSettings& settings, bool showFlag)
{
    TIniFile ini(file);
    WriteColors(ini, kColorsSection, settings.Colors);
    WriteAlternateRows(ini, settings.AlternateRows);
    WriteWinPos(ini, kMainSection, settings.MainWin);
    WriteHeaders(ini, kMainSection, settings.Headers);
    ini.WriteBool(kMainSection, "WinExist", true);
    ini.WriteString(kMainSection, "TrackName", settings.TrackName);
    ini.WriteInteger(kMainSection, "TrackLength", settings.TrackLength);
    ini.WriteInteger(kMainSection, "MarkerDelay", settings.MarkerDelay);
    ini.WriteInteger(kMainSection, "SpeedDecimals", settings.SpeedDecimals);
    ini.WriteString(kMainSection, "LayoutFile", settings.LayoutFile);
    ini.WriteBool(kMainSection, "ShowFlag", showFlag);
    ini.Commit();
}

void ReadMainSettings(const std::filesystem::path& file, TMainSettings& settings, bool& showFlag)
{
    const TIniFile ini(file);
    ReadColors(ini, kColorsSection, settings.Colors);
    settings.AlternateRows = ini.ReadBool(kColorsSection, kAlternateRowsKey, false);
    ReadWinPos(ini, kMainSection, settings.MainWin);
    ReadHeaders(ini, kMainSection, settings.Headers);
    settings.WinExist = ini.ReadBool(kMainSection, "WinExist", false);
    settings.TrackName = ini.ReadString(kMainSection, "TrackName", "");
    settings.TrackLength = ini.ReadInteger(kMainSection, "TrackLength", 0);
    settings.MarkerDelay = ini.ReadInteger(kMainSection, "MarkerDelay", 5);
    settings.SpeedDecimals = ini.ReadInteger(kMainSection, "SpeedDecimals", 3);
    settings.LayoutFile = ini.ReadString(kMainSection, "LayoutFile", "");
    showFlag = ini.ReadBool(kMainSection, "ShowFlag", false);
}

} // namespace kav
