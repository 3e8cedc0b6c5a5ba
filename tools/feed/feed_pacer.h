#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "sim_options.h"

namespace kav {

// Hands timed lines to a sink when their session time comes; speed 10 runs the clock ten times faster.
class FeedPacer : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(const std::string&)>;
    // Long waits are taken in slices that re-read the clock, so timer drift never delays a line much.
    static constexpr std::chrono::milliseconds kLongestWait{1000};

    FeedPacer(std::vector<SimLine> lines, double speed, Sink sink, QObject* parent = nullptr);

    // Starts the session clock; a second call does nothing.
    void start();
    // Plays the lines of another session, whose clock starts after the delay; Finished follows again.
    void restart(std::vector<SimLine> lines, TimeValue delay);
    // Sends nothing more, and Finished does not follow.
    void stop();

signals:
    void isFinished();

private:
    void sendDue();
    TimeValue sessionNow() const;

    std::vector<SimLine> m_lines;
    std::size_t m_next = 0;
    double m_speed = 1.0;
    TimeValue m_delay = 0;
    bool m_stopped = false;
    Sink m_sink;
    QElapsedTimer m_clock;
    QTimer m_timer;
};

} // namespace kav
