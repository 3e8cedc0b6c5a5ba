#pragma once

#include <cstdint>
#include <string_view>

#include "ini_file.h"
#include "main_settings.h"
#include "result_window_settings.h"
#include "window_records.h"

namespace kav {

// The store's routines on an open ini file and a section: each writes its record's keys in a fixed
// order, and each read falls back to the key's default when the key is missing or not a number. The
// caller commits the file.

void writeWindowPlacement(IniFile& ini, std::string_view section, const WindowPlacement& pos);
void readWindowPlacement(const IniFile& ini, std::string_view section, WindowPlacement& pos);

void writeFontSettings(IniFile& ini, std::string_view section, const FontSettings& font);
void readFontSettings(const IniFile& ini, std::string_view section, FontSettings& font);

void writeHeaders(IniFile& ini, std::string_view section, const HeaderTexts& headers);
void readHeaders(const IniFile& ini, std::string_view section, HeaderTexts& headers);

void writeColumnOrder(IniFile& ini, std::string_view section, const ColumnOrder& colRel);
// Unknown or repeated identifiers are dropped, so the arrangement is one the program could have made.
void readColumnOrder(const IniFile& ini, std::string_view section, ColumnOrder& colRel);

void writeColumnWidths(IniFile& ini, std::string_view section, const ColumnWidths& colWidth);
void readColumnWidths(const IniFile& ini, std::string_view section, ColumnWidths& colWidth);

void writeColors(IniFile& ini, std::string_view section, const ColorTable& colors);
// A slot changes only when its key holds a value other than -1, so missing keys keep the current colours.
void readColors(const IniFile& ini, std::string_view section, ColorTable& colors);

// A byte value; anything outside 0 to 255 reads as the default.
std::uint8_t readByte(const IniFile& ini, std::string_view section, std::string_view key, std::uint8_t defaultValue);

} // namespace kav
