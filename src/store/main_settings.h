#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "code_lists.h"
#include "window_records.h"

namespace kav {

// Six pairs of text and background colour: main window, general info comment, general info text,
// results, follow marker, headers. Slot n of the program is index n - 1.
inline constexpr std::size_t kColorCount = 12;
using ColorTable = std::array<std::int32_t, kColorCount>;

// What each slot paints. The general information panel's background is its captions' background.
enum ColorSlot : std::size_t {
    kMainWindowText,
    kMainWindowBackground,
    kCaptionText,
    kCaptionBackground,
    kInfoText,
    kInfoBackground,
    kResultsText,
    kResultsBackground,
    kFollowText,
    kFollowBackground,
    kHeaderText,
    kHeaderBackground,
};

// A text colour and its background, with the name the colours dialog gives them.
struct ColorPair {
    ColorSlot text;
    ColorSlot background;
    const char* label;
};

// The pairs in the order the colours dialog lists them.
inline constexpr std::array<ColorPair, 6> kColorPairs = {{
    {kMainWindowText, kMainWindowBackground, "Main window"},
    {kResultsText, kResultsBackground, "Results"},
    {kCaptionText, kCaptionBackground, "General info Comment"},
    {kInfoText, kInfoBackground, "General info text"},
    {kFollowText, kFollowBackground, "Follow marker"},
    {kHeaderText, kHeaderBackground, "Headers"},
}};

inline constexpr std::int32_t kButtonFaceColor = -2147483633;
inline constexpr std::int32_t kWindowTextColor = -2147483640;
inline constexpr std::int32_t kWindowColor = -2147483643;
inline constexpr std::int32_t kRedColor = 0x0000FF;
inline constexpr std::int32_t kBlueColor = 0xFF0000;

inline constexpr ColorTable DefaultColors = {
    kButtonFaceColor, kButtonFaceColor, kRedColor,  kButtonFaceColor, kWindowTextColor, kButtonFaceColor,
    kWindowTextColor, kWindowColor,     kBlueColor, kButtonFaceColor, kWindowTextColor, kButtonFaceColor,
};

inline constexpr std::int32_t kBlackColor = 0x000000;
inline constexpr std::int32_t kWhiteColor = 0xFFFFFF;
inline constexpr std::int32_t kYellowColor = 0x00FFFF;
inline constexpr std::int32_t kNavyColor = 0x800000;

// The "Big screen" preset: light text on black, yellow on navy headers, followed drivers in black on
// yellow, for a display read from across a pit lane.
inline constexpr ColorTable BigScreenColors = {
    kWhiteColor, kBlackColor, kYellowColor, kBlackColor,  kWhiteColor,  kBlackColor,
    kWhiteColor, kBlackColor, kBlackColor,  kYellowColor, kYellowColor, kNavyColor,
};

// Column header captions, in the order of their keys in Kavendor.ini.
inline constexpr std::size_t kHeaderCount = kColumnIds; // one header text per result column
using HeaderTexts = std::array<std::string, kHeaderCount>;

inline constexpr std::array<std::string_view, kHeaderCount> kDefaultHeaderTexts = {
    "Pos",      "",           "Car",          "First Name", "Last Name",    "Name",      "Class",    "Nat",  "Add data",
    "Laps",     "Total time", "Last Laptime", "Best Lap",   "Best Laptime", "Last Spd",  "Best Spd", "Diff", "Cls Pos",
    "Cls Diff", "Int",        "Cls Int",      "Pit",        "Stops",        "Last stop", "Stint",
};

HeaderTexts defaultHeaders();

// Registration numbers of followed drivers, ended by the first empty entry.
inline constexpr std::size_t kFollowCount = 160;
using FollowedCompetitors = std::array<std::string, kFollowCount>;

// The program-wide settings kept in Kavendor.ini.
struct MainSettings {
    ColorTable Colors = DefaultColors;
    bool AlternateRows = false; // every second row of the results a shade apart
    std::string LayoutFile;     // full path of the current layout file, empty when none
    HeaderTexts Headers = defaultHeaders();
    WindowPlacement MainWin;
    bool WinExist = false;
    std::string TrackName;
    std::int32_t TrackLength = 0;
    std::int32_t MarkerDelay = 5;
    std::int32_t SpeedDecimals = 3;
    bool operator==(const MainSettings&) const = default;
};

// The general information panel: ten item codes 1 to 10 in display order, kNoCode for an empty place.
inline constexpr std::size_t kGenInfoCount = 10;
using GeneralInfoItems = std::array<std::uint8_t, kGenInfoCount>;

void resetGeneralInfo(GeneralInfoItems& genInfo);

} // namespace kav
