#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <string_view>

#include "clock.h"
#include "content_builder.h"
#include "flag_reader.h"
#include "parsed_record.h"
#include "program_settings.h"
#include "race_positions.h"
#include "race_state.h"
#include "run_info.h"

namespace kav {

// The main loop from line to the live state: parses each received line, applies the record to the race
// data and writes the results and the run's information (items, flag, errors, busy lamps).
class RecordProcessor : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kCommunicationInterval{100};
    static constexpr std::chrono::milliseconds kRemoveInterval{500};

    RecordProcessor(RaceState& state, ContentBuilder& content, ProgramSettings& settings, RunInfo& info,
                    const ClockSource& clock);

    // A received line, still ending in its terminator.
    void receiveString(const QByteArray& line);
    // The same for a line of a read from the channel: the class cells wait for the end of the read
    // (linesEnd), as a car placed over another leaves the standings a car short until the other
    // car's standing, mostly in the same read, comes.
    void takeLine(const QByteArray& line);
    void linesEnd();
    void processRecord(std::string_view text);
    // A line that is not a valid record, or one the device dropped as too long.
    void countBadLine();

    // After the state was restarted: nothing waits for the busy lamp to go out. Says nothing;
    // announceAll tells what the state now is.
    void restart();
    // Each signal once, as after a record that changed everything.
    void announceAll();

    void setBusy(bool lit);
    void checkCommunication();
    void expireMarkers();
    void expirePracticeMarkers();
    void startTimers();
    void stopTimers();
    QTimer& communicationTimer() { return m_communicationTimer; }
    QTimer& markerTimer() { return m_removeTimer; }

signals:
    // After a record that may have changed the lap history: a passing, a standing, a run or a new run.
    void lapHistoryChanged();
    // A new run began and waits for its first valid record (true), or that record came (false).
    void standByChanged(bool waiting);
    // After a record that added race events, or a new run that emptied them.
    void eventsChanged();

private:
    void apply(const RecordData& data);
    void applyCompetitor(const FullCompetitorRecord& record);
    void applyCrossing(const LineCrossingRecord& crossing);
    void applyRun(const RunRecord& record);
    void applySetting(const TrackSettingRecord& record);
    void applyHeartbeat(const HeartbeatRecord& record);
    void switchFinish(std::int32_t lapsToGo);
    void applyPractice(const PracticePositionRecord& record);
    void showPracticeLeader(const PracticePositionRecord& record);
    void applyNewRun(const RunStartRecord& record);
    void showStandBy();
    void applyPassing(const PassingRecord& record);

    RaceState& m_state;
    ContentBuilder& m_content;
    ProgramSettings& m_settings;
    RunInfo& m_info;
    const ClockSource& m_clock;
    RacePositions m_positions;
    FlagReader m_flag;
    QTimer m_communicationTimer;
    QTimer m_removeTimer;
};

} // namespace kav
