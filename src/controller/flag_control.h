#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "race_state.h"

namespace kav {

class TFFlag;
class TStatusLamp;

// The flag lamp of the general information panel and the large flag window, driven by the flag text
// of the heartbeat record.
class TFlagControl {
public:
    TFlagControl(TRaceState& state, TStatusLamp& lamp);
    ~TFlagControl();
    TFlagControl(const TFlagControl&) = delete;
    TFlagControl& operator=(const TFlagControl&) = delete;

    // The "Show Flag" option; unset means the window is not shown.
    std::function<bool()> ShowFlag;

    // Takes the flag text of a $F record and acts once on a change of flag.
    void Apply(std::string_view flagText);
    TFFlag* FlagWindow() const { return m_window.get(); }
    // Closes the flag window if it is up (a green flag, or the program ending).
    void CloseFlagWindow();

    static std::uint8_t FlagCode(std::string_view flagText, std::uint8_t current);

private:
    void ShowFlagWindow(bool red);

    TRaceState& m_state;
    TStatusLamp& m_lamp;
    std::unique_ptr<TFFlag> m_window;
};

} // namespace kav
