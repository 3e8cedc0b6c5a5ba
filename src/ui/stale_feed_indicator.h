#pragma once

#include <QLabel>
#include <QTimer>

#include <chrono>

#include "clock.h"

namespace kav {

// Tells how long no line has come from the feed once that passes ten seconds ("No data for 0:45"),
// on amber, and on red after a minute; hidden while lines arrive. A quiet feed otherwise looks just
// like a quiet race.
class StaleFeedIndicator : public QLabel {
    Q_OBJECT
public:
    enum class Level { Fresh, Amber, Red };
    static constexpr std::chrono::seconds kAmberAfter{10};
    static constexpr std::chrono::seconds kRedAfter{60};
    static constexpr std::chrono::milliseconds kRefreshInterval{500};

    // The silence is counted from now until the first line.
    explicit StaleFeedIndicator(const ClockSource& clock, QWidget* parent = nullptr);

    Level level() const { return m_level; }
    // How long no line has come, as the clock tells it now.
    std::chrono::seconds silence() const;
    static Level levelFor(std::chrono::seconds silence);
    // "No data for 0:45", "No data for 1:02:05".
    static QString silenceText(std::chrono::seconds silence);

public slots:
    void lineReceived();
    // Shows the silence as the clock now tells it; the indicator's own timer calls it twice a second.
    void refresh();

private:
    void showLevel(Level level);

    const ClockSource& m_clock;
    std::chrono::milliseconds m_lastLine;
    Level m_level = Level::Fresh;
    QTimer m_refreshTimer;
};

} // namespace kav
