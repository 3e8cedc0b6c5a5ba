#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "feed_time.h"

namespace kav {

// Plays a recorded feed into the program from the event loop, as fast as possible or at a fixed
// number of lines per second. The sink is the program's device, which frames the file's bytes, handed
// over unchanged, as it frames a channel's (LineFramer): a CR, an over-long line and a last line
// without its LF fare as they would live. The bytes come a line at a time (up to and including its
// LF) only so that they can be paced; a last line without LF comes after the others and stays waiting
// in the device, never processed, and the feeder warns that it was not replayed.
class ReplayFeeder : public QObject {
    Q_OBJECT
public:
    using LineSink = std::function<void(const QByteArray&)>;
    using WarningSink = std::function<void(const QString&)>;
    // A monotonic clock, in nanoseconds from any fixed point.
    using Clock = std::function<qint64()>;
    // Work done in one turn of the event loop, so that the windows keep repainting.
    static constexpr std::chrono::milliseconds kSlice{10};
    // How often a paced replay looks for lines that are due.
    static constexpr std::chrono::milliseconds kTick{10};

    explicit ReplayFeeder(QObject* parent = nullptr);
    // The clock a paced replay keeps to; the steady clock unless given another.
    void setClock(Clock clock) { m_clock = std::move(clock); }
    // Where a warning for the operator goes; the error output, after "kavendor: ", unless given another.
    void setWarningSink(WarningSink sink) { m_warn = std::move(sink); }

    // Reads the whole file; a replay running is stopped.
    bool load(const QString& file, QString& error);
    // Bytes written to the file since it was read (a recording still being made).
    void append(const QByteArray& bytes);
    qsizetype bytesRead() const { return m_data.size(); }
    // Starts from the first line on the next turn of the event loop; rate is lines per second, 0 (or
    // anything not positive) for as fast as possible. The sink may run a nested event loop but must
    // not delete the feeder.
    void start(double rate, LineSink sink);
    void stop();
    // Ends the replay before the first line whose time of day is later than timeOfDay, as if the
    // file ended there. Lines without a time of their own go with the last time seen; a recording that
    // runs past midnight goes on into the next day, and a time earlier than the recording's first is
    // taken as the next day's.
    void setEnd(TimeValue timeOfDay) { m_end = timeOfDay; }
    bool isFinished() const { return m_finished; }
    bool isRunning() const { return m_running; }
    qint64 linesFed() const { return m_linesFed; }

    // Times of the recording, counted on from its first day as setEnd counts them (ticks; -1: none).
    // The session runs from the first line with a time to the latest time of a complete line.
    std::int64_t firstTime() const { return m_firstTime; }
    std::int64_t lastTime() const { return m_lines.empty() ? -1 : m_lines.back().latest; }
    // A time of day as a time of the recording, as setEnd reads it.
    std::int64_t recordingTime(TimeValue timeOfDay) const;
    // The complete lines a replay to time `to` hands over: those before the first of a later time.
    qsizetype linesUpTo(std::int64_t to) const;
    qsizetype completeLines() const { return static_cast<qsizetype>(m_lines.size()); }
    // Where the replay stands in the recording's time: on the paced clock while playing at a speed,
    // else the time it was moved to or of the last line handed over.
    std::int64_t position() const;

    // Hands over the first `lines` complete lines to the sink of start at once and leaves the replay
    // after them at time `at`, stopped: the state they make is built again from the file's start.
    void feedFromStart(qsizetype lines, std::int64_t at);
    // Goes on from where it stands, paced afresh from now (start's rate, or the speed).
    void resume();
    // Lines per second from now on, as start's rate.
    void setRate(double rate);
    // Paces by the feed's own times of day, speed times as fast; 0 goes back to start's rate.
    void setSpeed(double speed);
    double speed() const { return m_speed; }
    // Following, the end of the file is not the end of the replay: lines appended later are handed
    // over as they come.
    void setFollowing(bool following);
    bool isFollowing() const { return m_following; }

signals:
    // Once, after the last bytes were handed over.
    void finished();

private:
    void pump();
    qint64 linesDue() const;
    void feedNext();
    void feedLastLineWithoutLf();
    void finish();
    bool pastEnd(const QByteArray& line);
    bool nextLineDue() const;
    void repace(const std::function<void()>& change);
    std::chrono::milliseconds interval() const;
    void index();
    std::int64_t pacedTime() const;

    QString m_file;
    QByteArray m_data;
    qsizetype m_next = 0;
    qint64 m_linesFed = 0;
    double m_rate = 0;
    bool m_running = false;
    bool m_finished = false;
    LineSink m_sink;
    Clock m_clock;
    WarningSink m_warn;
    qint64 m_startedAt = 0;
    QTimer m_timer;
    std::optional<TimeValue> m_end;
    std::int64_t m_endAt = 0;     // m_end counted from the recording's first day
    std::int64_t m_lastTime = -1; // the last time of day read, counted on from the recording's first day

    // Each complete line of the file: where it ends (after its LF) and the latest time up to it.
    struct IndexedLine {
        qsizetype end;
        std::int64_t latest;
    };
    std::vector<IndexedLine> m_lines;
    qsizetype m_indexed = 0;       // bytes indexed: up to the last LF
    std::int64_t m_indexTime = -1; // the last time read by the index
    std::int64_t m_firstTime = -1;
    double m_speed = 0;
    bool m_following = false;
    qint64 m_pacedFrom = 0;       // lines fed when the pacing started
    std::int64_t m_position = -1; // the recording's time when the pacing started, or moved to
};

} // namespace kav
