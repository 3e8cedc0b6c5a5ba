#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kav {

enum class WindowState : std::uint8_t { Normal, Minimized, Maximized };

// A window's placement in pixels; -1 where no placement has been recorded.
struct WindowPlacement {
    std::int32_t Height = -1;
    std::int32_t Width = -1;
    std::int32_t Top = -1;
    std::int32_t Left = -1;
    WindowState State = WindowState::Normal;
    bool Active = false; // the window was the active one
    bool operator==(const WindowPlacement&) const = default;
};

struct FontStyles {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const FontStyles&) const = default;
};

struct FontSettings {
    std::string Name;
    std::int32_t Size = 0; // points
    FontStyles Style;
    std::int32_t Color = 0; // 0x00BBGGRR; a set top bit names a system colour
    bool operator==(const FontSettings&) const = default;
};

// The logo window: where it stands, whether it is shown and the picture it shows.
struct LogoSettings {
    WindowPlacement WinPos;
    bool Visible = false;
    std::string FileName;
    bool operator==(const LogoSettings&) const = default;
};

// The race charts window: where it stands, the chart it shows and the cars of its lap-time chart.
struct RaceChartsRec {
    WindowPlacement winPos;
    bool open = false;
    std::int32_t chart = 0;
    std::vector<std::string> lapTimeCars; // registration numbers
    bool operator==(const RaceChartsRec&) const = default;
};

} // namespace kav
