#include "flag_control.h"

#include "flag_window.h"
#include "run_info.h"
#include "text_helpers.h"

#include <string>

namespace kav {

namespace {
constexpr std::size_t kFlagLength = 8;
} // namespace

FlagControl::FlagControl(RaceState& state, RunInfo& info) : m_state(state), m_info(info) {}

FlagControl::~FlagControl() = default;

std::uint8_t FlagControl::flagCode(std::string_view flagText, std::uint8_t current)
{
    std::string upper(flagText.substr(0, kFlagLength));
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    const std::string_view flag = trimSpaces(upper);
    if (flag == "RED")
        return kFlagRed;
    if (flag == "YELLOW")
        return kFlagYellow;
    if (flag == "GREEN")
        return kFlagGreen;
    return current;
}

void FlagControl::apply(std::string_view flagText)
{
    m_state.FlagState = flagCode(flagText, m_state.FlagState);
    if (m_state.FlagState != m_state.PrevFlagState) {
        m_info.setFlag(m_state.FlagState);
        switch (m_state.FlagState) {
        case kFlagRed: showFlagWindow(true); break;
        case kFlagYellow: showFlagWindow(false); break;
        default: closeFlagWindow(); break;
        }
    }
    m_state.PrevFlagState = m_state.FlagState;
}

void FlagControl::showFlagWindow(bool red)
{
    if (!ShowFlag || !ShowFlag())
        return;
    if (!m_state.FlagWindowShown) {
        m_window = std::make_unique<FlagWindow>();
        m_state.FlagWindowShown = true;
    }
    m_window->showAboveResults();
    if (red)
        m_window->showRedFlag();
    else
        m_window->showYellowFlag();
}

void FlagControl::closeFlagWindow()
{
    if (!m_state.FlagWindowShown)
        return;
    m_window.reset();
    m_state.FlagWindowShown = false;
}

} // namespace kav
