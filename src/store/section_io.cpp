#include "section_io.h"

#include <array>
#include <string>

namespace kav {
namespace {

// The keys of the header captions, in the order of HeaderTexts.
constexpr std::array<std::string_view, kHeaderCount> kHeaderKeys = {
    "PosHeader",           "MarkerHeader",      "CarHeader",         "FirstNameHeader",   "LastNameHeader",
    "CombineNameHeader",   "ClassHeader",       "NationalityHeader", "AddDataHeader",     "LapsHeader",
    "TotalTimeHeader",     "LastLapTimeHeader", "BestLapHeader",     "BestLapTimeHeader", "LastSpeedHeader",
    "BestSpeedHeader",     "DiffLeaderHeader",  "ClassPosHeader",    "ClassDiffHeader",   "IntervalHeader",
    "ClassIntervalHeader", "InPitHeader",       "PitStopsHeader",    "LastStopHeader",    "StintLapsHeader",
};

constexpr std::int32_t kDefaultColWidth = 100;
// Layouts written before the class and pit columns have this many column places; the later places
// of such a file take a new window's widths.
constexpr std::size_t kOlderColumnSlots = 19;
constexpr std::int32_t kNoColor = -1;

std::string numberedKey(std::string_view stem, std::size_t number)
{
    return std::string(stem) + std::to_string(number);
}

std::int32_t stateNumber(WindowState state)
{
    switch (state) {
    case WindowState::Minimized: return 2;
    case WindowState::Maximized: return 3;
    default: return 1;
    }
}

WindowState stateFromNumber(std::int32_t number)
{
    switch (number) {
    case 2: return WindowState::Minimized;
    case 3: return WindowState::Maximized;
    default: return WindowState::Normal;
    }
}

} // namespace

std::uint8_t readByte(const IniFile& ini, std::string_view section, std::string_view key, std::uint8_t defaultValue)
{
    const std::int32_t value = ini.readInteger(section, key, defaultValue);
    return value >= 0 && value <= 255 ? static_cast<std::uint8_t>(value) : defaultValue;
}

void writeWindowPlacement(IniFile& ini, std::string_view section, const WindowPlacement& pos)
{
    ini.writeInteger(section, "WinHeigth", pos.Height);
    ini.writeInteger(section, "WinWidth", pos.Width);
    ini.writeInteger(section, "WinTop", pos.Top);
    ini.writeInteger(section, "WinLeft", pos.Left);
    ini.writeInteger(section, "WinState", stateNumber(pos.State));
    ini.writeBool(section, "WinActive", pos.Active);
}

void readWindowPlacement(const IniFile& ini, std::string_view section, WindowPlacement& pos)
{
    pos.Height = ini.readInteger(section, "WinHeigth", -1);
    pos.Width = ini.readInteger(section, "WinWidth", -1);
    pos.Top = ini.readInteger(section, "WinTop", -1);
    pos.Left = ini.readInteger(section, "WinLeft", -1);
    pos.State = stateFromNumber(ini.readInteger(section, "WinState", 1));
    pos.Active = ini.readBool(section, "WinActive", false);
}

void writeFontSettings(IniFile& ini, std::string_view section, const FontSettings& font)
{
    ini.writeString(section, "FontName", font.Name);
    ini.writeInteger(section, "FontSize", font.Size);
    ini.writeBool(section, "FontBold", font.Style.Bold);
    ini.writeBool(section, "FontItalic", font.Style.Italic);
    ini.writeBool(section, "FontUnderline", font.Style.Underline);
    ini.writeBool(section, "FontStrikeOut", font.Style.StrikeOut);
    ini.writeInteger(section, "FontColor", font.Color);
}

void readFontSettings(const IniFile& ini, std::string_view section, FontSettings& font)
{
    font.Name = ini.readString(section, "FontName", "Arial");
    font.Size = ini.readInteger(section, "FontSize", 7);
    font.Style.Bold = ini.readBool(section, "FontBold", false);
    font.Style.Italic = ini.readBool(section, "FontItalic", false);
    font.Style.Underline = ini.readBool(section, "FontUnderline", false);
    font.Style.StrikeOut = ini.readBool(section, "FontStrikeOut", false);
    font.Color = ini.readInteger(section, "FontColor", kWindowTextColor);
}

void writeHeaders(IniFile& ini, std::string_view section, const HeaderTexts& headers)
{
    for (std::size_t i = 0; i < kHeaderCount; ++i)
        ini.writeString(section, kHeaderKeys[i], headers[i]);
}

void readHeaders(const IniFile& ini, std::string_view section, HeaderTexts& headers)
{
    for (std::size_t i = 0; i < kHeaderCount; ++i)
        headers[i] = ini.readString(section, kHeaderKeys[i], kDefaultHeaderTexts[i]);
}

void writeColumnOrder(IniFile& ini, std::string_view section, const ColumnOrder& colRel)
{
    for (std::size_t i = 0; i < kColumnSlots; ++i)
        ini.writeInteger(section, numberedKey("ColRel", i), colRel[i]);
}

void readColumnOrder(const IniFile& ini, std::string_view section, ColumnOrder& colRel)
{
    for (std::size_t i = 0; i < kColumnSlots; ++i)
        colRel[i] = readByte(ini, section, numberedKey("ColRel", i), kNoCode);
    compactCodes(colRel, 0, kColumnIds - 1);
}

void writeColumnWidths(IniFile& ini, std::string_view section, const ColumnWidths& colWidth)
{
    for (std::size_t i = 0; i < kColumnSlots; ++i)
        ini.writeInteger(section, numberedKey("ColWidth", i), colWidth[i]);
}

void readColumnWidths(const IniFile& ini, std::string_view section, ColumnWidths& colWidth)
{
    for (std::size_t i = 0; i < kColumnSlots; ++i) {
        const std::int32_t missing = i < kOlderColumnSlots ? kDefaultColWidth : kDefaultColWidths[i];
        colWidth[i] = ini.readInteger(section, numberedKey("ColWidth", i), missing);
    }
}

void writeColors(IniFile& ini, std::string_view section, const ColorTable& colors)
{
    for (std::size_t i = 0; i < kColorCount; ++i)
        ini.writeInteger(section, numberedKey("Color", i + 1), colors[i]);
}

void readColors(const IniFile& ini, std::string_view section, ColorTable& colors)
{
    for (std::size_t i = 0; i < kColorCount; ++i) {
        const std::int32_t color = ini.readInteger(section, numberedKey("Color", i + 1), kNoColor);
        if (color != kNoColor)
            colors[i] = color;
    }
}

} // namespace kav
