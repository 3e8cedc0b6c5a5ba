#include "settings_store.h"

#include "ini_file.h"
#include "section_io.h"

namespace kav {
namespace {

constexpr std::string_view kColorsSection = "Colors";
constexpr std::string_view kMainSection = "MainWin";
constexpr std::string_view kAlternateRowsKey = "AlternateRows";

// Written only while on, so that the file stays as the program always wrote it.
void writeAlternateRows(IniFile& ini, bool on)
{
    if (on)
        ini.writeBool(kColorsSection, kAlternateRowsKey, true);
    else
        ini.eraseKey(kColorsSection, kAlternateRowsKey);
}

} // namespace

void writeMainSettings(const std::filesystem::path& file, const MainSettings& settings, bool showFlag)
{
    IniFile ini(file);
    writeColors(ini, kColorsSection, settings.Colors);
    writeAlternateRows(ini, settings.AlternateRows);
    writeWindowPlacement(ini, kMainSection, settings.MainWin);
    writeHeaders(ini, kMainSection, settings.Headers);
    ini.writeBool(kMainSection, "WinExist", true);
    ini.writeString(kMainSection, "TrackName", settings.TrackName);
    ini.writeInteger(kMainSection, "TrackLength", settings.TrackLength);
    ini.writeInteger(kMainSection, "MarkerDelay", settings.MarkerDelay);
    ini.writeInteger(kMainSection, "SpeedDecimals", settings.SpeedDecimals);
    ini.writeString(kMainSection, "LayoutFile", settings.LayoutFile);
    ini.writeBool(kMainSection, "ShowFlag", showFlag);
    ini.commit();
}

void readMainSettings(const std::filesystem::path& file, MainSettings& settings, bool& showFlag)
{
    const IniFile ini(file);
    readColors(ini, kColorsSection, settings.Colors);
    settings.AlternateRows = ini.readBool(kColorsSection, kAlternateRowsKey, false);
    readWindowPlacement(ini, kMainSection, settings.MainWin);
    readHeaders(ini, kMainSection, settings.Headers);
    settings.WinExist = ini.readBool(kMainSection, "WinExist", false);
    settings.TrackName = ini.readString(kMainSection, "TrackName", "");
    settings.TrackLength = ini.readInteger(kMainSection, "TrackLength", 0);
    settings.MarkerDelay = ini.readInteger(kMainSection, "MarkerDelay", 5);
    settings.SpeedDecimals = ini.readInteger(kMainSection, "SpeedDecimals", 3);
    settings.LayoutFile = ini.readString(kMainSection, "LayoutFile", "");
    showFlag = ini.readBool(kMainSection, "ShowFlag", false);
}

} // namespace kav
