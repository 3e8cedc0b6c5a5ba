#include "replay_feeder.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "line_framer.h"
#include "parsed_record.h"

namespace kav {

namespace {

constexpr std::int64_t kDay = 24 * std::int64_t{kTicksPerHour};

// The time of day a line (with or without its line end) carries, if any.
std::optional<TimeValue> lineTime(std::string_view text)
{
    const std::optional<TimeValue> time = timeOfDayOf(parseRecord(text.substr(0, text.find_first_of("\r\n"))).data);
    if (!time || *time < 0 || *time >= kDay)
        return std::nullopt;
    return time;
}

// A time of day counted on from the recording's first day after the last one counted (-1: none yet).
std::int64_t countOn(std::int64_t last, TimeValue time)
{
    if (last < 0)
        return time;
    // Back by more than half a day: the clock went past midnight.
    std::int64_t next = last / kDay * kDay + time;
    if (next + kDay / 2 < last)
        next += kDay;
    return next;
}

} // namespace

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
    m_lines.clear();
    m_indexed = 0;
    m_indexTime = -1;
    m_firstTime = -1;
    m_position = -1;
    index();
    return true;
}

void ReplayFeeder::append(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    m_data += bytes;
    index();
    if (m_running && !m_timer.isActive())
        m_timer.start(interval());
}

void ReplayFeeder::index()
{
    for (;;) {
        const qsizetype end = m_data.indexOf(LineFramer::kTerminator, m_indexed);
        if (end < 0)
            return;
        const std::string_view text(m_data.constData() + m_indexed, static_cast<std::size_t>(end - m_indexed));
        if (const std::optional<TimeValue> time = lineTime(text)) {
            m_indexTime = countOn(m_indexTime, *time);
            if (m_firstTime < 0)
                m_firstTime = m_indexTime;
        }
        m_lines.push_back({end + 1, std::max(lastTime(), m_indexTime)});
        m_indexed = end + 1;
    }
}

std::int64_t ReplayFeeder::recordingTime(TimeValue timeOfDay) const
{
    return m_firstTime >= 0 && timeOfDay < m_firstTime ? timeOfDay + kDay : timeOfDay;
}

qsizetype ReplayFeeder::linesUpTo(std::int64_t to) const
{
    const auto after = std::partition_point(m_lines.begin(), m_lines.end(),
                                            [to](const IndexedLine& line) { return line.latest <= to; });
    return after - m_lines.begin();
}

std::int64_t ReplayFeeder::pacedTime() const
{
    const double seconds = static_cast<double>(m_clock() - m_startedAt) / 1e9;
    return std::max<std::int64_t>({m_position, m_firstTime, 0}) +
           static_cast<std::int64_t>(seconds * m_speed * kTicksPerSecond);
}

std::int64_t ReplayFeeder::position() const
{
    const std::int64_t fed =
        m_linesFed > 0 && m_linesFed <= completeLines() ? m_lines[static_cast<std::size_t>(m_linesFed - 1)].latest : -1;
    if (m_running && m_speed > 0 && !m_following)
        return std::min(std::max(pacedTime(), fed), std::max(lastTime(), m_position));
    return std::max(m_position, fed);
}

void ReplayFeeder::feedFromStart(qsizetype lines, std::int64_t at)
{
    stop();
    m_next = 0;
    m_linesFed = 0;
    m_lastTime = -1;
    m_finished = false;
    lines = std::min(lines, completeLines());
    while (m_linesFed < lines && m_next < m_data.size())
        feedNext();
    m_position = at;
}

void ReplayFeeder::resume()
{
    if (m_running)
        return;
    m_position = position();
    m_running = true;
    m_finished = false;
    m_startedAt = m_clock();
    m_pacedFrom = m_linesFed;
    m_timer.start(interval());
}

// A running replay goes on from where it stands under the new pace.
void ReplayFeeder::repace(const std::function<void()>& change)
{
    const bool running = m_running;
    stop();
    change();
    if (running)
        resume();
}

void ReplayFeeder::setSpeed(double speed)
{
    repace([&] { m_speed = std::isfinite(speed) && speed > 0 ? speed : 0; });
}

void ReplayFeeder::setRate(double rate)
{
    repace([&] { m_rate = std::isfinite(rate) && rate > 0 ? rate : 0; });
}

void ReplayFeeder::setFollowing(bool following)
{
    repace([&] { m_following = following; });
}

std::chrono::milliseconds ReplayFeeder::interval() const
{
    return (m_rate > 0 || m_speed > 0) && !m_following ? kTick : std::chrono::milliseconds{0};
}

void ReplayFeeder::start(double rate, LineSink sink)
{
    m_rate = std::isfinite(rate) && rate > 0 ? rate : 0;
    m_sink = std::move(sink);
    m_next = 0;
    m_linesFed = 0;
    m_pacedFrom = 0;
    m_position = -1;
    m_lastTime = -1;
    m_finished = false;
    m_running = true;
    m_startedAt = m_clock();
    m_timer.start(interval());
}

void ReplayFeeder::stop()
{
    if (m_running)
        m_position = position();
    m_running = false;
    m_timer.stop();
}

// Lines are due at 0, 1/rate, 2/rate, ... seconds after the start; at a speed, when the paced clock
// reaches their time.
qint64 ReplayFeeder::linesDue() const
{
    if (m_rate <= 0 || m_speed > 0 || m_following)
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
    while (m_running && m_next < m_data.size() && m_linesFed - m_pacedFrom < due && nextLineDue() &&
           !slice.hasExpired(kSlice.count()))
        feedNext();
    if (!m_running)
        return;
    // Following, the end of the file and a line still being written wait for more bytes.
    if (m_following && m_linesFed >= completeLines())
        m_timer.stop();
    else if (m_next >= m_data.size())
        finish();
}

bool ReplayFeeder::nextLineDue() const
{
    if (m_following)
        return m_linesFed < completeLines();
    if (m_speed <= 0 || m_linesFed >= completeLines())
        return true;
    return m_lines[static_cast<std::size_t>(m_linesFed)].latest <= pacedTime();
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
    const std::optional<TimeValue> time =
        lineTime(std::string_view(line.constData(), static_cast<std::size_t>(line.size())));
    if (!time)
        return false;
    if (m_lastTime < 0)
        m_endAt = *m_end < *time ? *m_end + kDay : *m_end;
    m_lastTime = countOn(m_lastTime, *time);
    return m_lastTime > m_endAt;
}

void ReplayFeeder::finish()
{
    stop();
    m_finished = true;
    emit finished();
}

} // namespace kav
