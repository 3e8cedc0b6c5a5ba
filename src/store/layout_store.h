#pragma once

#include <filesystem>
#include <span>
#include <string>

#include "main_settings.h"
#include "result_window_settings.h"
#include "window_records.h"

namespace kav {

// Layout files (.kvl): the general information selection, the logo window and up to ten result
// windows. Each routine opens the file, does its work and, when it wrote, puts the file back at once
// (raising FileWriteError when it cannot), leaving every other section and key as it was.

void writeGeneralInfo(const std::filesystem::path& file, const GeneralInfoItems& genInfo);
// Codes other than 1 to 10, and repeated codes, read as empty places.
void readGeneralInfo(const std::filesystem::path& file, GeneralInfoItems& genInfo);

void writeLogo(const std::filesystem::path& file, const LogoSettings& logo);
void readLogo(const std::filesystem::path& file, LogoSettings& logo);

// Section "ResultWin" + the record's Number.
void writeResultWindow(const std::filesystem::path& file, const ResultWindowSettings& rec);
// Fills every stored field and ColPos; Number is left to the caller. WinExist tells whether the file
// holds that window.
void readResultWindow(const std::filesystem::path& file, int number, ResultWindowSettings& rec);
void eraseResultWindow(const std::filesystem::path& file, int number);

// How writeLayout treats the file already there: its other sections kept, or the whole file replaced.
enum class LayoutWrite { Update, Replace };

// A whole layout in one write: the general information, the logo, each window in the given order and
// the race charts window (its section is removed when it is not open, so a layout without it is
// written as before). A save cut short (the program killed, the power gone) leaves the old layout or
// the new one, never some windows of each, which saving part by part with the routines above would.
void writeLayout(const std::filesystem::path& file, const GeneralInfoItems& genInfo, const LogoSettings& logo,
                 std::span<const ResultWindowSettings> windows, LayoutWrite mode = LayoutWrite::Update,
                 const RaceChartsRec& charts = {});

// Section "RaceCharts"; a layout without it reads as a closed window.
RaceChartsRec readRaceCharts(const std::filesystem::path& file);

std::string resultWindowSection(int number);

} // namespace kav
