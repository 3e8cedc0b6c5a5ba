#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <deque>

#include "clock.h"

namespace kav {

// The feed's lines again, a fixed time later, in the order they came: what a broadcast delay shows
// is the program's state as it was that long ago. Lines waiting are bounded in bytes; past the bound
// the oldest go out early rather than be lost, and `shortened` says so once per overflow.
class DelayedLines : public QObject {
    Q_OBJECT
public:
    DelayedLines(const ClockSource& clock, std::chrono::seconds delay, QObject* parent = nullptr);

    static constexpr qsizetype kMaxWaitingBytes = 64 * 1024 * 1024;

    std::chrono::seconds delay() const { return m_delay; }
    void take(const QByteArray& line);
    // Hands on every line whose time has come; the own timer calls it.
    void releaseDue();
    qsizetype waitingLines() const { return static_cast<qsizetype>(m_waiting.size()); }
    // Drops every line still waiting.
    void clear();

signals:
    void lineReleased(const QByteArray& line);
    // Lines went out before their time because too many bytes waited.
    void shortened();

private:
    struct Waiting {
        std::chrono::milliseconds due;
        QByteArray line;
    };
    void releaseFront();
    void scheduleNext();

    const ClockSource& m_clock;
    std::chrono::seconds m_delay;
    std::deque<Waiting> m_waiting;
    qsizetype m_waitingBytes = 0;
    bool m_overflowing = false;
    QTimer m_timer;
};

} // namespace kav
