#pragma once

#include <cstdint>
#include <string_view>

#include "ini_file.h"
#include "main_settings.h"
#include "result_win_rec.h"
#include "window_records.h"

namespace kav {

// The store's routines on an open ini file and a section: each writes its record's keys in a fixed
// order, and each read falls back to the key's default when the key is missing or not a number. The
// caller commits the file.

void WriteWinPos(TIniFile& ini, std::string_view section, const TWinPosRec& pos);
void ReadWinPos(const TIniFile& ini, std::string_view section, TWinPosRec& pos);

void WriteFontRec(TIniFile& ini, std::string_view section, const TFontRec& font);
void ReadFontRec(const TIniFile& ini, std::string_view section, TFontRec& font);

void WriteHeaders(TIniFile& ini, std::string_view section, const THeaderRec& headers);
void ReadHeaders(const TIniFile& ini, std::string_view section, THeaderRec& headers);

void WriteColRel(TIniFile& ini, std::string_view section, const TColRel& colRel);
// Unknown or repeated identifiers are dropped, so the arrangement is one the program could have made.
void ReadColRel(const TIniFile& ini, std::string_view section, TColRel& colRel);

void WriteColWidth(TIniFile& ini, std::string_view section, const TColWidth& colWidth);
void ReadColWidth(const TIniFile& ini, std::string_view section, TColWidth& colWidth);

void WriteColors(TIniFile& ini, std::string_view section, const TColors& colors);
// A slot changes only when its key holds a value other than -1, so missing keys keep the current colours.
void ReadColors(const TIniFile& ini, std::string_view section, TColors& colors);

// A byte value; anything outside 0 to 255 reads as the default.
std::uint8_t ReadByte(const TIniFile& ini, std::string_view section, std::string_view key, std::uint8_t defaultValue);

} // namespace kav
