#include "flag_reader.h"

#include "run_info.h"
#include "text_helpers.h"

#include <string>

namespace kav {

namespace {
constexpr std::size_t kFlagLength = 8;
} // namespace

std::uint8_t FlagReader::flagCode(std::string_view flagText, std::uint8_t current)
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

void FlagReader::apply(std::string_view flagText)
{
    m_state.FlagState = flagCode(flagText, m_state.FlagState);
    if (m_state.FlagState != m_state.PrevFlagState)
        m_info.setFlag(m_state.FlagState);
    m_state.PrevFlagState = m_state.FlagState;
}

} // namespace kav
