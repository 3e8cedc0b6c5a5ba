#include "program_settings.h"

namespace kav {

namespace {

// What no view shows.
MainSettings shownPart(MainSettings settings)
{
    settings.MainWin = {};
    settings.WinExist = false;
    settings.LayoutFile.clear();
    return settings;
}

} // namespace

void ProgramSettings::change(const std::function<void(MainSettings&)>& edit)
{
    const MainSettings before = m_settings;
    edit(m_settings);
    const bool trackMoved = before.TrackName != m_settings.TrackName || before.TrackLength != m_settings.TrackLength;
    if (shownPart(before) != shownPart(m_settings))
        emit changed();
    if (trackMoved)
        emit trackChanged();
}

void ProgramSettings::takeFeedTrackLength(std::int32_t metres)
{
    m_settings.TrackLength = metres;
    emit trackChanged();
}

void ProgramSettings::takeFeedTrackName(std::string_view name)
{
    m_settings.TrackName = name;
    emit trackChanged();
}

} // namespace kav
