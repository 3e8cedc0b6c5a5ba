#include "record_processor.h"

#include "feed_text.h"

namespace kav {

namespace {
constexpr int kLapMode = 1;
constexpr int kCurrentMode = 2;

// One handler per record type for std::visit.
template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
// Written out for compilers that do not deduce an aggregate's arguments by themselves (clang before 17).
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

// The records the lap history takes in: passings, standings, runs and new runs.
bool touchesLapHistory(const RecordData& data)
{
    return std::holds_alternative<PassingRecord>(data) || std::holds_alternative<RacePositionRecord>(data) ||
           std::holds_alternative<RunRecord>(data) || std::holds_alternative<RunStartRecord>(data);
}
} // namespace

RecordProcessor::RecordProcessor(RaceState& state, ContentBuilder& content, ProgramSettings& settings, RunInfo& info,
                                 const ClockSource& clock)
    : m_state(state), m_content(content), m_settings(settings), m_info(info), m_clock(clock),
      m_positions(state, content), m_flag(state, info)
{
    m_communicationTimer.setSingleShot(true);
    m_communicationTimer.setInterval(kCommunicationInterval);
    connect(&m_communicationTimer, &QTimer::timeout, this, &RecordProcessor::checkCommunication);
    m_removeTimer.setInterval(kRemoveInterval);
    connect(&m_removeTimer, &QTimer::timeout, this, &RecordProcessor::expireMarkers);
}

void RecordProcessor::receiveString(const QByteArray& line)
{
    m_info.lineReceived();
    const std::string_view text(line.constData(), static_cast<std::size_t>(line.size()));
    processRecord(text.substr(0, text.empty() ? 0 : text.size() - 1));
}

void RecordProcessor::takeLine(const QByteArray& line)
{
    m_content.holdClassCells();
    receiveString(line);
}

void RecordProcessor::linesEnd()
{
    m_content.flushClassCells();
}

void RecordProcessor::processRecord(std::string_view text)
{
    if (!m_communicationTimer.isActive())
        m_communicationTimer.start();
    setBusy(true);
    const ParsedRecord record = parseRecord(text);
    m_state.Latest.take(record);
    // Unknown tags come from other timing packages and relays: neither errors nor news.
    if (record.kind() == kKindUnknown)
        return;
    if (!record.valid) {
        countBadLine();
        return;
    }
    if (m_state.StandByShown) {
        m_state.StandByShown = false;
        emit standByChanged(false);
    }
    apply(record.data);
}

void RecordProcessor::countBadLine()
{
    ++m_state.ErrorCount;
    m_info.setErrors(m_state.ErrorCount);
}

void RecordProcessor::apply(const RecordData& data)
{
    const RaceEvents& events = m_state.events();
    const auto eventsBefore = std::make_pair(events.lastSeq(), events.events().size());
    std::visit(Overloaded{
                   [this](const CompetitorRecord& a) {
                       applyCompetitor({a.RegNo, a.Number, a.ClassNo, a.FirstName, a.LastName, a.Nationality, {}});
                   },
                   [this](const FullCompetitorRecord& comp) { applyCompetitor(comp); },
                   [this](const RunRecord& run) { applyRun(run); },
                   [this](const ClassRecord& c) { m_state.ClassTable.set(c.ClassNo, c.Description); },
                   [this](const TrackSettingRecord& setting) { applySetting(setting); },
                   [this](const HeartbeatRecord& heartbeat) { applyHeartbeat(heartbeat); },
                   [this](const RacePositionRecord& position) { m_positions.apply(position); },
                   [this](const PracticePositionRecord& practice) { applyPractice(practice); },
                   [this](const RunStartRecord& start) { applyNewRun(start); },
                   [this](const PassingRecord& passing) { applyPassing(passing); },
                   [this](const LineCrossingRecord& crossing) { applyCrossing(crossing); },
                   [](const auto&) {}, // valid records that change nothing here
               },
               data);
    m_state.followRun();
    // Told once the whole record is applied, so that whoever listens reads a consistent state.
    if (touchesLapHistory(data))
        emit lapHistoryChanged();
    if (std::make_pair(events.lastSeq(), events.events().size()) != eventsBefore)
        emit eventsChanged();
}

void RecordProcessor::applyCrossing(const LineCrossingRecord& crossing)
{
    const bool first = !m_state.pits().anyCrossing();
    const PitState* held = m_state.pits().find(crossing.RegNo);
    const PitState before = held ? *held : PitState{};
    if (!m_state.pits().take(crossing))
        return;
    if (const PitState* now = m_state.pits().find(crossing.RegNo))
        m_state.events().takePitLane(crossing.RegNo, m_state.eventNames(), before, *now);
    // The first crossing of a run shows that the track has pit loops: every car gets its pit cells.
    if (first)
        m_content.showAllPitStates();
    else
        m_content.showPitState(crossing.RegNo);
}

void RecordProcessor::applyCompetitor(const FullCompetitorRecord& record)
{
    m_state.CompList.addOrUpdate(record);
    m_state.MarkerList.ensureMarker(record.RegNo);
}

void RecordProcessor::applyRun(const RunRecord& record)
{
    m_state.RunName = record.Description;
    m_state.lapHistory().takeRun(record.Word1, record.Description);
    m_info.setValue(RunInfo::kRun, feedText(m_state.RunName));
}

void RecordProcessor::applyHeartbeat(const HeartbeatRecord& record)
{
    m_state.LastTimeOfDay = record.Time3;
    switchFinish(record.LapsToGo);
    m_info.setValue(RunInfo::kLapsToGo, QString::number(record.LapsToGo));
    m_info.setValue(RunInfo::kRaceTime, QString::fromLatin1(formatTime(4, 2, record.RaceTime)));
    m_flag.apply(record.Flag);
    m_state.events().takeHeartbeat(record.RaceTime, record.Flag, record.LapsToGo);
}

void RecordProcessor::switchFinish(std::int32_t lapsToGo)
{
    if (lapsToGo == 0 && !m_state.RaceFinished) {
        m_content.refillLap(m_state.CurrentRaceList, kCurrentMode);
        m_state.RaceFinished = true;
        m_info.setFinished(true);
    } else if (lapsToGo >= 1 && m_state.RaceFinished) {
        m_content.refillLap(m_state.LapRaceList, kLapMode);
        m_state.RaceFinished = false;
        m_info.setFinished(false);
    }
}

void RecordProcessor::setBusy(bool lit)
{
    if (lit == m_state.BusyLit)
        return;
    m_info.setBusy(lit);
    m_state.BusyLit = lit;
}

void RecordProcessor::checkCommunication()
{
    m_communicationTimer.stop();
    setBusy(false);
}

// Qt delivers lines that arrive meanwhile in order after this handler; nothing needs pumping here.
void RecordProcessor::expireMarkers()
{
    expirePracticeMarkers();
}

void RecordProcessor::expirePracticeMarkers()
{
    const std::int64_t delay = std::int64_t{m_settings->MarkerDelay} * kTicksPerSecond;
    const std::int64_t now = m_clock.timeOfDay();
    const ReadablePracticeList& practice = m_state.PracticeList;
    for (int i = 0; i < practice.count(); ++i) {
        const int marker = m_state.MarkerList.findByRegNo(practice.at(i).RegNo);
        if (marker < 0 || m_state.MarkerList.at(marker).PassTime + delay > now)
            continue;
        m_content.setCellIcon(kLayoutPractice, ContentBuilder::kColMarker, kWhiteFlag, i + 1);
        m_state.MarkerList.setPassTimeAt(marker, -1);
        m_state.MarkerList.setPracticeStatus(marker, kWhiteFlag);
    }
}

void RecordProcessor::restart()
{
    m_communicationTimer.stop();
}

void RecordProcessor::announceAll()
{
    emit standByChanged(m_state.StandByShown);
    emit lapHistoryChanged();
    emit eventsChanged();
}

void RecordProcessor::startTimers()
{
    m_removeTimer.start();
}

void RecordProcessor::stopTimers()
{
    m_removeTimer.stop();
    m_communicationTimer.stop();
}

} // namespace kav
