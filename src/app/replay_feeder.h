#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

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
    qint64 linesFed() const { return m_linesFed; }

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
};

} // namespace kav
