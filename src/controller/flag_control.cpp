#include "flag_control.h"

#include "f_flag.h"
#include "status_lamp.h"
#include "text_helpers.h"

#include <string>

namespace kav {

namespace {
constexpr TColorValue kRedLamp = 0x0000FF;
constexpr TColorValue kYellowLamp = 0x00FFFF;
constexpr TColorValue kGreenLamp = 0x00FF00;
constexpr std::size_t kFlagLength = 8;
} // namespace

TFlagControl::TFlagControl(TRaceState& state, TStatusLamp& lamp) : m_state(state), m_lamp(lamp) {}

TFlagControl::~TFlagControl() = default;

std::uint8_t TFlagControl::FlagCode(std::string_view flagText, std::uint8_t current)
{
    std::string upper(flagText.substr(0, kFlagLength));
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    const std::string_view flag = TrimSpaces(upper);
    if (flag == "RED")
        return kFlagRed;
    if (flag == "YELLOW")
        return kFlagYellow;
    if (flag == "GREEN")
        return kFlagGreen;
    return current;
}

void TFlagControl::Apply(std::string_view flagText)
{
    m_state.FlagState = FlagCode(flagText, m_state.FlagState);
    if (m_state.FlagState != m_state.PrevFlagState) {
        switch (m_state.FlagState) {
        case kFlagRed:
            m_lamp.SetColor(kRedLamp);
            ShowFlagWindow(true);
            break;
        case kFlagYellow:
            m_lamp.SetColor(kYellowLamp);
            ShowFlagWindow(false);
            break;
        default:
            m_lamp.SetColor(kGreenLamp);
            CloseFlagWindow();
            break;
        }
    }
    m_state.PrevFlagState = m_state.FlagState;
}

void TFlagControl::ShowFlagWindow(bool red)
{
    if (!ShowFlag || !ShowFlag())
        return;
    if (!m_state.FlagWindowShown) {
        m_window = std::make_unique<TFFlag>();
        m_state.FlagWindowShown = true;
    }
    m_window->showNormal();
    if (red)
        m_window->ShowRedFlag();
    else
        m_window->ShowYellowFlag();
}

void TFlagControl::CloseFlagWindow()
{
    if (!m_state.FlagWindowShown)
        return;
    m_window.reset();
    m_state.FlagWindowShown = false;
}

} // namespace kav
