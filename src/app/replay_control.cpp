#include "replay_control.h"

#include <QFile>
#include <QSignalBlocker>

#include <algorithm>

#include "program_settings.h"
#include "race_feed.h"
#include "replay_feeder.h"

namespace kav {

ReplayControl::ReplayControl(ReplayFeeder& feeder, RaceFeed& live, ProgramSettings& settings, QObject* parent)
    : QObject(parent), m_feeder(feeder), m_live(live), m_settings(settings)
{
    m_tick.setInterval(kTickMs);
    connect(&m_tick, &QTimer::timeout, this, &ReplayControl::changed);
    connect(&m_feeder, &ReplayFeeder::finished, this, [this] {
        m_tick.stop();
        emit changed();
    });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &ReplayControl::readAppended);
}

void ReplayControl::watchFile(const QString& file)
{
    m_file = file;
    m_watcher.addPath(file);
}

void ReplayControl::start(double rate, std::function<void(const QByteArray&)> sink)
{
    begin();
    m_rate = rate;
    m_feeder.start(rate, std::move(sink));
}

void ReplayControl::begin()
{
    m_trackLength = m_settings->TrackLength;
    m_trackName = m_settings->TrackName;
    m_begun = true;
    m_tick.start();
}

// Only what was appended is read: the file is a recording that grows at its end.
void ReplayControl::readAppended()
{
    QFile in(m_file);
    if (!in.open(QIODevice::ReadOnly) || in.size() <= m_feeder.bytesRead() || !in.seek(m_feeder.bytesRead()))
        return;
    const QByteArray bytes = in.readAll();
    if (bytes.isEmpty())
        return;
    m_growing = true;
    m_feeder.append(bytes);
    // Some editors and copies replace the file: the watch then needs setting again.
    if (!m_watcher.files().contains(m_file))
        m_watcher.addPath(m_file);
    emit changed();
}

void ReplayControl::play()
{
    m_feeder.resume();
    m_tick.start();
    emit changed();
}

void ReplayControl::pause()
{
    m_feeder.stop();
    m_feeder.setFollowing(false);
    m_tick.stop();
    emit changed();
}

bool ReplayControl::playing() const
{
    return m_feeder.isRunning();
}

void ReplayControl::setSpeed(double speed)
{
    if (speed <= 0)
        m_feeder.setRate(speed < 0 ? m_rate : 0);
    m_feeder.setSpeed(speed);
    emit changed();
}

double ReplayControl::speed() const
{
    return m_feeder.speed();
}

void ReplayControl::seek(std::int64_t time)
{
    const bool wasPlaying = m_feeder.isRunning() && !m_feeder.isFollowing();
    m_feeder.setFollowing(false);
    rebuild(m_feeder.linesUpTo(time), time);
    if (wasPlaying)
        m_feeder.resume();
    emit changed();
}

void ReplayControl::seekToTimeOfDay(TimeValue timeOfDay)
{
    seek(m_feeder.recordingTime(timeOfDay));
}

void ReplayControl::goLive()
{
    rebuild(m_feeder.completeLines(), m_feeder.lastTime());
    m_feeder.setFollowing(true);
    m_feeder.resume();
    m_tick.start();
    emit changed();
}

bool ReplayControl::live() const
{
    return m_feeder.isFollowing() && m_feeder.isRunning();
}

std::int64_t ReplayControl::sessionStart() const
{
    return m_feeder.firstTime();
}

std::int64_t ReplayControl::sessionEnd() const
{
    return m_feeder.lastTime();
}

std::int64_t ReplayControl::position() const
{
    return std::max(m_feeder.position(), m_feeder.firstTime());
}

// The state goes back to how it stood before the first line, the settings' track included, and the
// lines up to the point are fed again; the panel, the flag, the stand-by message, the events and the
// charts hear of it once, after the last line.
void ReplayControl::rebuild(qsizetype lines, std::int64_t at)
{
    if (!m_begun)
        begin();
    {
        const QSignalBlocker info(m_live.Info);
        const QSignalBlocker records(m_live.Records);
        m_live.restart();
        m_settings.takeFeedTrackLength(m_trackLength);
        m_settings.takeFeedTrackName(m_trackName);
        if (m_restartHook)
            m_restartHook();
        m_rebuilding = true;
        m_feeder.feedFromStart(lines, at);
        m_rebuilding = false;
    }
    m_live.announceAll();
}

} // namespace kav
