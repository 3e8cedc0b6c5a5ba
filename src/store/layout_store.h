#pragma once

#include <filesystem>
#include <span>
#include <string>

#include "main_settings.h"
#include "result_win_rec.h"
#include "window_records.h"

namespace kav {

// Layout files (.kvl): the general information selection, the logo window and up to ten result
// windows. Each routine opens the file, does its work and, when it wrote, puts the file back at once
// (raising EFileWriteError when it cannot), leaving every other section and key as it was.

void WriteGenInfo(const std::filesystem::path& file, const TGenInfo& genInfo);
// Codes other than 1 to 10, and repeated codes, read as empty places.
void ReadGenInfo(const std::filesystem::path& file, TGenInfo& genInfo);

void WriteLogo(const std::filesystem::path& file, const TLogoRec& logo);
void ReadLogo(const std::filesystem::path& file, TLogoRec& logo);

// Section "ResultWin" + the record's Number.
void WriteResultWin(const std::filesystem::path& file, const TResultWinRec& rec);
// Fills every stored field and ColPos; Number is left to the caller. WinExist tells whether the file
// holds that window.
void ReadResultWin(const std::filesystem::path& file, int number, TResultWinRec& rec);
void EraseResultWin(const std::filesystem::path& file, int number);

// How WriteLayout treats the file already there: its other sections kept, or the whole file replaced.
enum class TLayoutWrite { Update, Replace };

// A whole layout in one write: the general information, the logo, each window in the given order and
// the race charts window (its section is removed when it is not open, so a layout without it is
// written as before). A save cut short (the program killed, the power gone) leaves the old layout or
// the new one, never some windows of each, which saving part by part with the routines above would.
void WriteLayout(const std::filesystem::path& file, const TGenInfo& genInfo, const TLogoRec& logo,
                 std::span<const TResultWinRec> windows, TLayoutWrite mode = TLayoutWrite::Update,
                 const RaceChartsRec& charts = {});

// Section "RaceCharts"; a layout without it reads as a closed window.
RaceChartsRec readRaceCharts(const std::filesystem::path& file);

std::string ResultWinSection(int number);

} // namespace kav
