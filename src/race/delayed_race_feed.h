#pragma once

#include <QObject>

#include <chrono>

#include "delayed_lines.h"
#include "device.h"
#include "race_feed.h"

namespace kav {

// The race as it was a fixed time ago, for a broadcast delay: the live device's lines go through a
// delay into a second device and a race feed of its own, so that what reads it (the web view, the
// broker's results) matches a stream that runs late. It starts empty and goes through the run from
// its beginning, never ahead. The drivers followed are the live feed's.
class DelayedRaceFeed {
public:
    DelayedRaceFeed(Device& live, ProgramSettings& settings, const ClockSource& clock, const FollowList& followed,
                    std::chrono::seconds delay);

    RaceFeed& feed() { return m_feed; }
    // Starts again before the first line, nothing waiting: a replay that seeks sends the lines again.
    void restart();
    DelayedLines& lines() { return m_lines; }

private:
    Device m_relay;
    DelayedLines m_lines;
    RaceFeed m_feed;
};

} // namespace kav
