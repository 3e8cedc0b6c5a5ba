#include "record_processor.h"

#include "f_message.h"
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
} // namespace

TRecordProcessor::TRecordProcessor(TRaceState& state, TContentBuilder& content, TMainSettings& settings,
                                   TGenInfoPanel& panel, TMessage& message, const TClock& clock)
    : m_state(state), m_content(content), m_settings(settings), m_panel(panel), m_message(message), m_clock(clock),
      m_positions(state, content), m_flag(state, panel.FlagLamp())
{
    m_communicationTimer.setSingleShot(true);
    m_communicationTimer.setInterval(kCommunicationInterval);
    connect(&m_communicationTimer, &QTimer::timeout, this, &TRecordProcessor::OnCommunicationTimer);
    m_removeTimer.setInterval(kRemoveInterval);
    connect(&m_removeTimer, &QTimer::timeout, this, &TRecordProcessor::RemoveTimerTimer);
}

void TRecordProcessor::ReceiveString(const QByteArray& line)
{
    const std::string_view text(line.constData(), static_cast<std::size_t>(line.size()));
    ProcessRecord(text.substr(0, text.empty() ? 0 : text.size() - 1));
}

void TRecordProcessor::ProcessRecord(std::string_view text)
{
    if (!m_communicationTimer.isActive())
        m_communicationTimer.start();
    SetBusy(true);
    const ParsedRecord record = parseRecord(text);
    // Unknown tags come from other timing packages and relays: neither errors nor news.
    if (record.kind() == kKindUnknown)
        return;
    if (!record.valid) {
        CountBadLine();
        return;
    }
    if (m_state.StandByShown) {
        m_message.hide();
        m_state.StandByShown = false;
    }
    Apply(record.data);
}

void TRecordProcessor::CountBadLine()
{
    ++m_state.ErrorCount;
    m_panel.SetErrorHint(QString::number(m_state.ErrorCount));
}

void TRecordProcessor::Apply(const RecordData& data)
{
    std::visit(Overloaded{
                   [this](const TARec& a) {
                       ApplyCompetitor({a.RegNo, a.Number, a.ClassNo, a.FirstName, a.LastName, a.Nationality, {}});
                   },
                   [this](const TCompRec& comp) { ApplyCompetitor(comp); }, [this](const TBRec& run) { ApplyRun(run); },
                   [this](const TCRec& c) { m_state.ClassTable.Set(c.ClassNo, c.Description); },
                   [this](const TERec& setting) { ApplySetting(setting); },
                   [this](const TFRec& heartbeat) { ApplyHeartbeat(heartbeat); },
                   [this](const TGRec& position) { m_positions.Apply(position); },
                   [this](const THRec& practice) { ApplyPractice(practice); }, [this](const TIRec&) { ApplyNewRun(); },
                   [this](const TJRec& passing) { ApplyPassing(passing); },
                   [](const auto&) {}, // valid records that change nothing here
               },
               data);
}

void TRecordProcessor::ApplyCompetitor(const TCompRec& record)
{
    m_state.CompList.AddOrUpdate(record);
    m_state.MarkerList.EnsureMarker(record.RegNo);
}

void TRecordProcessor::ApplyRun(const TBRec& record)
{
    m_state.RunName = record.Description;
    m_panel.SetValue(TGenInfoPanel::kRun, FeedText(m_state.RunName));
}

void TRecordProcessor::ApplyHeartbeat(const TFRec& record)
{
    SwitchFinish(record.LapsToGo);
    m_panel.SetValue(TGenInfoPanel::kLapsToGo, QString::number(record.LapsToGo));
    m_panel.SetValue(TGenInfoPanel::kRaceTime, QString::fromLatin1(FormatTime(4, 2, record.RaceTime)));
    m_flag.Apply(record.Flag);
}

void TRecordProcessor::SwitchFinish(std::int32_t lapsToGo)
{
    if (lapsToGo == 0 && !m_state.RaceFinished) {
        m_content.RefillLap(m_state.CurrentRaceList, kCurrentMode);
        m_state.RaceFinished = true;
    } else if (lapsToGo >= 1 && m_state.RaceFinished) {
        m_content.RefillLap(m_state.LapRaceList, kLapMode);
        m_state.RaceFinished = false;
    }
}

void TRecordProcessor::SetBusy(bool lit)
{
    if (lit == m_state.BusyLit)
        return;
    m_panel.PaintBusy(lit);
    m_state.BusyLit = lit;
}

void TRecordProcessor::OnCommunicationTimer()
{
    m_communicationTimer.stop();
    SetBusy(false);
}

// Qt delivers lines that arrive meanwhile in order after this handler; nothing needs pumping here.
void TRecordProcessor::RemoveTimerTimer()
{
    ExpirePracMarkers();
}

void TRecordProcessor::ExpirePracMarkers()
{
    const std::int64_t delay = std::int64_t{m_settings.MarkerDelay} * kTicksPerSecond;
    const std::int64_t now = m_clock.TimeOfDay();
    const TReadablePracList& practice = m_state.PracList;
    for (int i = 0; i < practice.Count(); ++i) {
        const int marker = m_state.MarkerList.FindByRegNo(practice.At(i).RegNo);
        if (marker < 0 || m_state.MarkerList.At(marker).PassTime + delay > now)
            continue;
        m_content.SetCellIcon(kLayoutPractice, TContentBuilder::kColMarker, m_content.Picture(kWhiteFlag), i + 1);
        m_state.MarkerList.SetPassTimeAt(marker, -1);
        m_state.MarkerList.SetPracStatus(marker, kWhiteFlag);
    }
}

void TRecordProcessor::StartTimers()
{
    m_removeTimer.start();
}

void TRecordProcessor::StopTimers()
{
    m_removeTimer.stop();
    m_communicationTimer.stop();
}

} // namespace kav
