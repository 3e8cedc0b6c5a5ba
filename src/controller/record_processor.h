#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <string_view>

#include "clock.h"
#include "content_builder.h"
#include "flag_control.h"
#include "gen_info_panel.h"
#include "parsed_record.h"
#include "race_positions.h"
#include "race_state.h"

namespace kav {

class TMessage;

// The main loop from line to screen: parses each received line, applies the record to the race data
// and updates the result windows, the general information panel, the flag and the busy lamps.
class TRecordProcessor : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kCommunicationInterval{100};
    static constexpr std::chrono::milliseconds kRemoveInterval{500};

    TRecordProcessor(TRaceState& state, TContentBuilder& content, TMainSettings& settings, TGenInfoPanel& panel,
                     TMessage& message, const TClock& clock);

    // The window the stand-by message is centred on; none centres it at the origin.
    void SetMainWindow(QWidget* window) { m_mainWindow = window; }
    TFlagControl& Flag() { return m_flag; }

    // A received line, still ending in its terminator.
    void ReceiveString(const QByteArray& line);
    void ProcessRecord(std::string_view text);
    // A line that is not a valid record, or one the device dropped as too long.
    void CountBadLine();

    void SetBusy(bool lit);
    void OnCommunicationTimer();
    void RemoveTimerTimer();
    void ExpirePracMarkers();
    void StartTimers();
    void StopTimers();
    QTimer& CommunicationTimer() { return m_communicationTimer; }
    QTimer& RemoveTimer() { return m_removeTimer; }

private:
    void Apply(const RecordData& data);
    void ApplyCompetitor(const TCompRec& record);
    void ApplyRun(const TBRec& record);
    void ApplySetting(const TERec& record);
    void ApplyHeartbeat(const TFRec& record);
    void SwitchFinish(std::int32_t lapsToGo);
    void ApplyPractice(const THRec& record);
    void ShowPracticeLeader(const THRec& record);
    void ApplyNewRun();
    void ShowStandBy();
    void ApplyPassing(const TJRec& record);

    TRaceState& m_state;
    TContentBuilder& m_content;
    TMainSettings& m_settings;
    TGenInfoPanel& m_panel;
    TMessage& m_message;
    const TClock& m_clock;
    TRacePositions m_positions;
    TFlagControl m_flag;
    QPointer<QWidget> m_mainWindow;
    QTimer m_communicationTimer;
    QTimer m_removeTimer;
};

} // namespace kav
