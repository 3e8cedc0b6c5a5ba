#pragma once

#include <cstdint>
#include <string_view>

#include "race_state.h"

namespace kav {

class RunInfo;

// Turns the flag text of the heartbeat record into the flag of the race state and of the run's
// information, which the panel's lamp and the flag window follow.
class FlagReader {
public:
    FlagReader(RaceState& state, RunInfo& info) : m_state(state), m_info(info) {}

    // Takes the flag text of a $F record; a text naming no flag keeps the current one.
    void apply(std::string_view flagText);

    static std::uint8_t flagCode(std::string_view flagText, std::uint8_t current);

private:
    RaceState& m_state;
    RunInfo& m_info;
};

} // namespace kav
