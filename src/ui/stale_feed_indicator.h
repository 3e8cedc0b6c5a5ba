#pragma once

#include <QLabel>

#include <chrono>

#include "run_info.h"

namespace kav {

// Tells how long no line has come from the feed once that passes ten seconds ("No data for 0:45"),
// on amber, and on red after a minute; hidden while lines arrive. A quiet feed otherwise looks just
// like a quiet race.
class StaleFeedIndicator : public QLabel {
    Q_OBJECT
public:
    using Level = RunInfo::Staleness;

    // Shows the silence the run's information counts, and follows it.
    explicit StaleFeedIndicator(const RunInfo& info, QWidget* parent = nullptr);

    Level level() const { return m_level; }
    // "No data for 0:45", "No data for 1:02:05".
    static QString silenceText(std::chrono::seconds silence);

private:
    void refresh();
    void showLevel(Level level);

    const RunInfo& m_info;
    Level m_level = Level::Fresh;
};

} // namespace kav
