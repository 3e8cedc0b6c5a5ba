#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>

#include "feed_time.h"

namespace kav {

class ProgramSettings;
class RaceFeed;
class ReplayFeeder;

// What the replay bar works: play and pause, the speed, seeking in the recording's time and following
// a recording still being written. Seeking builds the live state again from the start of the file up
// to the time sought, every line as the device would take it, with the state's listeners told once at
// the end instead of for every line: the windows, the panel, the web view and the broker then show
// what a replay of the file cut there shows.
class ReplayControl : public QObject {
    Q_OBJECT
public:
    // How often the bar's time is told while playing.
    static constexpr int kTickMs = 250;

    ReplayControl(ReplayFeeder& feeder, RaceFeed& live, ProgramSettings& settings, QObject* parent = nullptr);

    // Runs before the lines of a seek: whatever else holds state made of the lines (a broadcast
    // delay, the device's part of a line) starts again too.
    void setRestartHook(std::function<void()> hook) { m_restartHook = std::move(hook); }
    // Notices bytes appended to the replayed file (a recording being made) and offers to follow them.
    void watchFile(const QString& file);
    // Starts the replay from its first line (see ReplayFeeder::start), remembering the settings the
    // feed may change (the track) as they stand before it.
    void start(double rate, std::function<void(const QByteArray&)> sink);

    void play();
    void pause();
    bool playing() const;
    // Times the feed's own pace (1 to 100); 0 as fast as possible; below 0 the rate the replay began
    // with.
    void setSpeed(double speed);
    double speed() const;
    // To a time of the recording (ticks, counted on from its first day): the state stands as after
    // the last line before the first of a later time. Following ends.
    void seek(std::int64_t time);
    void seekToTimeOfDay(TimeValue timeOfDay);
    // To the end of the file, then every line appended as it comes, until a pause or a seek.
    void goLive();
    bool live() const;
    // Bytes were appended to the file since it was read.
    bool growing() const { return m_growing; }
    // The lines of a seek are being fed again: they were received before.
    bool rebuilding() const { return m_rebuilding; }

    std::int64_t sessionStart() const;
    std::int64_t sessionEnd() const;
    std::int64_t position() const;

signals:
    // Something the bar shows changed; while playing, also every tick.
    void changed();

private:
    void begin();
    void rebuild(qsizetype lines, std::int64_t at);
    void readAppended();

    ReplayFeeder& m_feeder;
    RaceFeed& m_live;
    ProgramSettings& m_settings;
    std::function<void()> m_restartHook;
    std::int32_t m_trackLength = 0;
    std::string m_trackName;
    bool m_begun = false;
    double m_rate = 0;
    bool m_growing = false;
    bool m_rebuilding = false;
    QString m_file;
    QFileSystemWatcher m_watcher;
    QTimer m_tick;
};

} // namespace kav
