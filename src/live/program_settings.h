#pragma once

#include <QObject>

#include <functional>
#include <string_view>

#include "main_settings.h"

namespace kav {

// The settings of Kavendor.ini while the program runs. Everyone reads them here; every change comes
// through here and is told once, so each view follows it without being refilled by hand.
class ProgramSettings : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const MainSettings& value() const { return m_settings; }
    const MainSettings* operator->() const { return &m_settings; }

    // An operator's change, or the settings read from the file: says changed() when anything shown
    // differs (colours, headers, track, marker delay, speed decimals), and trackChanged() for the track.
    // Where the main window stands and the layout file's name are kept without a word.
    void change(const std::function<void(MainSettings&)>& edit);
    // The track as the feed names it: the panel shows it at once, rows keep their speeds until refilled.
    void takeFeedTrackLength(std::int32_t metres);
    void takeFeedTrackName(std::string_view name);

signals:
    void changed();
    void trackChanged();

private:
    MainSettings m_settings;
};

} // namespace kav
