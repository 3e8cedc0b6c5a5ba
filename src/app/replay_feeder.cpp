#include "replay_feeder.h"

#include <QElapsedTimer>
#include <QFile>

#include <cmath>
#include <cstdio>
#include <limits>

#include "line_framer.h"
#include "parsed_record.h"

namespace kav {

ReplayFeeder::ReplayFeeder(QObject* parent)
    : QObject(parent), m_clock([] {
          return std::chrono::duration_cast<std::chrono::nanoseconds>(
                     std::chrono::steady_clock::now().time_since_epoch())
              .count();
      }),
      m_warn([](const QString& text) {
          const QByteArray line = QStringLiteral("kavendor: %1\n").arg(text).toLocal8Bit();
          std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
          std::fflush(stderr);
      })
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ReplayFeeder::pump);
}

bool ReplayFeeder::load(const QString& file, QString& error)
{
    stop();
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read ") + file + QStringLiteral(": ") + in.errorString();
        return false;
    }
    QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        error = QStringLiteral("cannot read ") + file + QStringLiteral(": ") + in.errorString();
        return false;
    }
    m_file = file;
    m_data = std::move(data);
    m_next = 0;
    m_linesFed = 0;
    m_finished = false;
    return true;
}

void ReplayFeeder::start(double rate, LineSink sink)
{
    m_rate = std::isfinite(rate) && rate > 0 ? rate : 0;
    m_sink = std::move(sink);
    m_next = 0;
    m_linesFed = 0;
    m_lastTime = -1;
    m_finished = false;
    m_running = true;
    m_startedAt = m_clock();
    m_timer.start(m_rate > 0 ? kTick : std::chrono::milliseconds{0});
}

void ReplayFeeder::stop()
{
    m_running = false;
    m_timer.stop();
}

// Lines are due at 0, 1/rate, 2/rate, ... seconds after the start.
qint64 ReplayFeeder::linesDue() const
{
    if (m_rate <= 0)
        return std::numeric_limits<qint64>::max();
    const double due = std::floor(static_cast<double>(m_clock() - m_startedAt) * m_rate / 1e9) + 1;
    return due >= 9e18 ? std::numeric_limits<qint64>::max() : static_cast<qint64>(due);
}

// Qt never runs a timer's slot again while it is still running, so a sink that runs a nested event
// loop does not come back in here.
void ReplayFeeder::pump()
{
    QElapsedTimer slice;
    slice.start();
    const qint64 due = linesDue();
    while (m_running && m_next < m_data.size() && m_linesFed < due && !slice.hasExpired(kSlice.count()))
        feedNext();
    if (m_running && m_next >= m_data.size())
        finish();
}

// One line copied out of the file: the sink may keep it.
void ReplayFeeder::feedNext()
{
    const qsizetype end = m_data.indexOf(LineFramer::kTerminator, m_next);
    if (end < 0) {
        feedLastLineWithoutLf();
        return;
    }
    const QByteArray line = m_data.mid(m_next, end + 1 - m_next);
    if (m_end && pastEnd(line)) {
        m_next = m_data.size();
        return;
    }
    m_next = end + 1;
    ++m_linesFed;
    if (m_sink)
        m_sink(line);
}

// Not given an LF: the device holds it back, as it holds back a line a channel cut off, so that a file
// replays as its bytes would have fared live. Only the operator is told.
void ReplayFeeder::feedLastLineWithoutLf()
{
    const QByteArray rest = m_data.mid(m_next);
    m_next = m_data.size();
    if (m_sink)
        m_sink(rest);
    if (m_warn)
        m_warn(QStringLiteral("the last line of %1 has no line end and was not replayed").arg(m_file));
}

bool ReplayFeeder::pastEnd(const QByteArray& line)
{
    constexpr std::int64_t kDay = 24 * std::int64_t{kTicksPerHour};
    const std::string_view text(line.constData(), static_cast<std::size_t>(line.size()));
    const std::optional<TimeValue> time = timeOfDayOf(parseRecord(text.substr(0, text.find_first_of("\r\n"))).data);
    if (!time || *time < 0 || *time >= kDay)
        return false;
    if (m_lastTime < 0) {
        m_endAt = *m_end < *time ? *m_end + kDay : *m_end;
        m_lastTime = *time;
    } else {
        // Back by more than half a day: the clock went past midnight.
        std::int64_t next = m_lastTime / kDay * kDay + *time;
        if (next + kDay / 2 < m_lastTime)
            next += kDay;
        m_lastTime = next;
    }
    return m_lastTime > m_endAt;
}

void ReplayFeeder::finish()
{
    stop();
    m_finished = true;
    emit finished();
}

} // namespace kav
