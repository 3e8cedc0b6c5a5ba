#include "flag_window_keeper.h"

#include "flag_window.h"
#include "run_info.h"

namespace kav {

FlagWindowKeeper::FlagWindowKeeper(const RunInfo& info) : m_info(info)
{
    connect(&info, &RunInfo::flagChanged, this, &FlagWindowKeeper::followFlag);
}

FlagWindowKeeper::~FlagWindowKeeper() = default;

void FlagWindowKeeper::followFlag()
{
    if (m_info.flag() == m_flag)
        return;
    m_flag = m_info.flag();
    switch (m_flag) {
    case kFlagRed: showFlagWindow(true); break;
    case kFlagYellow: showFlagWindow(false); break;
    default: closeFlagWindow(); break;
    }
}

void FlagWindowKeeper::showFlagWindow(bool red)
{
    if (!ShowFlag || !ShowFlag())
        return;
    if (!m_window)
        m_window = std::make_unique<FlagWindow>();
    m_window->showAboveResults();
    if (red)
        m_window->showRedFlag();
    else
        m_window->showYellowFlag();
}

void FlagWindowKeeper::closeFlagWindow()
{
    m_window.reset();
}

} // namespace kav
