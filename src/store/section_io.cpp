#include "section_io.h"

#include <array>
#include <string>

namespace kav {
namespace {

// The keys of the header captions, in the order of THeaderRec.
constexpr std::array<std::string_view, kHeaderCount> kHeaderKeys = {
    "PosHeader",     "MarkerHeader",      "CarHeader",       "FirstNameHeader", "LastNameHeader",   "CombineNameHeader",
    "ClassHeader",   "NationalityHeader", "AddDataHeader",   "LapsHeader",      "TotalTimeHeader",  "LastLapTimeHeader",
    "BestLapHeader", "BestLapTimeHeader", "LastSpeedHeader", "BestSpeedHeader", "DiffLeaderHeader",
};

constexpr std::int32_t kDefaultColWidth = 100;
constexpr std::int32_t kNoColor = -1;

std::string NumberedKey(std::string_view stem, std::size_t number)
{
    return std::string(stem) + std::to_string(number);
}

std::int32_t StateNumber(TWindowState state)
{
    switch (state) {
    case TWindowState::Minimized: return 2;
    case TWindowState::Maximized: return 3;
    default: return 1;
    }
}

TWindowState StateFromNumber(std::int32_t number)
{
    switch (number) {
    case 2: return TWindowState::Minimized;
    case 3: return TWindowState::Maximized;
    default: return TWindowState::Normal;
    }
}

} // namespace

std::uint8_t ReadByte(const TIniFile& ini, std::string_view section, std::string_view key, std::uint8_t defaultValue)
{
    const std::int32_t value = ini.ReadInteger(section, key, defaultValue);
    return value >= 0 && value <= 255 ? static_cast<std::uint8_t>(value) : defaultValue;
}

void WriteWinPos(TIniFile& ini, std::string_view section, const TWinPosRec& pos)
{
    ini.WriteInteger(section, "WinHeigth", pos.Height);
    ini.WriteInteger(section, "WinWidth", pos.Width);
    ini.WriteInteger(section, "WinTop", pos.Top);
    ini.WriteInteger(section, "WinLeft", pos.Left);
    ini.WriteInteger(section, "WinState", StateNumber(pos.State));
    ini.WriteBool(section, "WinActive", pos.Active);
}

void ReadWinPos(const TIniFile& ini, std::string_view section, TWinPosRec& pos)
{
    pos.Height = ini.ReadInteger(section, "WinHeigth", -1);
    pos.Width = ini.ReadInteger(section, "WinWidth", -1);
    pos.Top = ini.ReadInteger(section, "WinTop", -1);
    pos.Left = ini.ReadInteger(section, "WinLeft", -1);
    pos.State = StateFromNumber(ini.ReadInteger(section, "WinState", 1));
    pos.Active = ini.ReadBool(section, "WinActive", false);
}

void WriteFontRec(TIniFile& ini, std::string_view section, const TFontRec& font)
{
    ini.WriteString(section, "FontName", font.Name);
    ini.WriteInteger(section, "FontSize", font.Size);
    ini.WriteBool(section, "FontBold", font.Style.Bold);
    ini.WriteBool(section, "FontItalic", font.Style.Italic);
    ini.WriteBool(section, "FontUnderline", font.Style.Underline);
    ini.WriteBool(section, "FontStrikeOut", font.Style.StrikeOut);
    ini.WriteInteger(section, "FontColor", font.Color);
}

void ReadFontRec(const TIniFile& ini, std::string_view section, TFontRec& font)
{
    font.Name = ini.ReadString(section, "FontName", "Arial");
    font.Size = ini.ReadInteger(section, "FontSize", 7);
    font.Style.Bold = ini.ReadBool(section, "FontBold", false);
    font.Style.Italic = ini.ReadBool(section, "FontItalic", false);
    font.Style.Underline = ini.ReadBool(section, "FontUnderline", false);
    font.Style.StrikeOut = ini.ReadBool(section, "FontStrikeOut", false);
    font.Color = ini.ReadInteger(section, "FontColor", kWindowTextColor);
}

void WriteHeaders(TIniFile& ini, std::string_view section, const THeaderRec& headers)
{
    for (std::size_t i = 0; i < kHeaderCount; ++i)
        ini.WriteString(section, kHeaderKeys[i], headers[i]);
}

void ReadHeaders(const TIniFile& ini, std::string_view section, THeaderRec& headers)
{
    for (std::size_t i = 0; i < kHeaderCount; ++i)
        headers[i] = ini.ReadString(section, kHeaderKeys[i], kDefaultHeaderTexts[i]);
}

void WriteColRel(TIniFile& ini, std::string_view section, const TColRel& colRel)
{
    for (std::size_t i = 0; i < kColumnSlots; ++i)
        ini.WriteInteger(section, NumberedKey("ColRel", i), colRel[i]);
}

void ReadColRel(const TIniFile& ini, std::string_view section, TColRel& colRel)
{
    for (std::size_t i = 0; i < kColumnSlots; ++i)
        colRel[i] = ReadByte(ini, section, NumberedKey("ColRel", i), kNoCode);
    CompactCodes(colRel, 0, kColumnIds - 1);
}

void WriteColWidth(TIniFile& ini, std::string_view section, const TColWidth& colWidth)
{
    for (std::size_t i = 0; i < kColumnSlots; ++i)
        ini.WriteInteger(section, NumberedKey("ColWidth", i), colWidth[i]);
}

void ReadColWidth(const TIniFile& ini, std::string_view section, TColWidth& colWidth)
{
    for (std::size_t i = 0; i < kColumnSlots; ++i)
        colWidth[i] = ini.ReadInteger(section, NumberedKey("ColWidth", i), kDefaultColWidth);
}

void WriteColors(TIniFile& ini, std::string_view section, const TColors& colors)
{
    for (std::size_t i = 0; i < kColorCount; ++i)
        ini.WriteInteger(section, NumberedKey("Color", i + 1), colors[i]);
}

void ReadColors(const TIniFile& ini, std::string_view section, TColors& colors)
{
    for (std::size_t i = 0; i < kColorCount; ++i) {
        const std::int32_t color = ini.ReadInteger(section, NumberedKey("Color", i + 1), kNoColor);
        if (color != kNoColor)
            colors[i] = color;
    }
}

} // namespace kav
