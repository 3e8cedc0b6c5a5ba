#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "race_state.h"

namespace kav {

class FlagWindow;
class RunInfo;

// The flag of the run's information (which the panel's lamp shows) and the large flag window, driven by
// the flag text of the heartbeat record.
class FlagControl {
public:
    FlagControl(RaceState& state, RunInfo& info);
    ~FlagControl();
    FlagControl(const FlagControl&) = delete;
    FlagControl& operator=(const FlagControl&) = delete;

    // The "Show Flag" option; unset means the window is not shown.
    std::function<bool()> ShowFlag;

    // Takes the flag text of a $F record and acts once on a change of flag.
    void apply(std::string_view flagText);
    FlagWindow* flagWindow() const { return m_window.get(); }
    // Closes the flag window if it is up (a green flag, or the program ending).
    void closeFlagWindow();

    static std::uint8_t flagCode(std::string_view flagText, std::uint8_t current);

private:
    void showFlagWindow(bool red);

    RaceState& m_state;
    RunInfo& m_info;
    std::unique_ptr<FlagWindow> m_window;
};

} // namespace kav
