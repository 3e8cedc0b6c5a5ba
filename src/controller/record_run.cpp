// Record processing of settings, practice positions, new runs and passings.
#include "record_processor.h"

#include "f_message.h"
#include "feed_text.h"
#include "text_helpers.h"

#include <QLabel>
#include <charconv>
#include <cmath>
#include <limits>

namespace kav {

namespace {

constexpr std::size_t kNumberPartLength = 10;

// Kilometres as written in the feed, as whole metres; nothing when no number can be read at all.
bool ReadTrackLength(std::string_view text, std::int32_t& metres)
{
    text = TrimSpaces(text);
    double km = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), km);
    if (error != std::errc{} || !std::isfinite(km))
        return false;
    const double rounded = std::round(km * 1000.0);
    if (rounded > std::numeric_limits<std::int32_t>::max() || rounded < std::numeric_limits<std::int32_t>::min())
        return false;
    metres = static_cast<std::int32_t>(rounded);
    return true;
}

} // namespace

void TRecordProcessor::ApplySetting(const TERec& record)
{
    if (record.Name == "TRACKLENGTH")
        ReadTrackLength(record.Value, m_settings.TrackLength);
    else if (record.Name == "TRACKNAME")
        m_settings.TrackName = record.Value;
}

void TRecordProcessor::ApplyPractice(const THRec& record)
{
    const int position = record.Position;
    m_content.GrowRows(position);
    if (position == 0 || position > m_state.RowCount)
        return;
    m_state.PracList.SetFromH(record);
    m_state.PracList.ComputeGaps();
    if (position <= m_state.PracList.Count())
        m_content.FillPracRow(position, m_state.PracList.At(position - 1));
    m_content.SetGapCells(kLayoutPractice, m_state.PracList);
    const int raceIndex = m_state.CurrentRaceList.FindByRegNo(record.RegNo);
    if (raceIndex >= 0) {
        const RaceResRec& race = m_state.CurrentRaceList.At(raceIndex);
        m_content.FillRaceRow(raceIndex + 1, race);
        if (m_state.RaceFinished)
            m_content.FillLapRow(raceIndex + 1, race, 2);
    }
    if (position == 1)
        ShowPracticeLeader(record);
}

void TRecordProcessor::ShowPracticeLeader(const THRec& record)
{
    const TCompRec comp = m_state.CompList.FindByRegNo(record.RegNo);
    const std::string number = comp.Number + "  ";
    const std::string name(CutText(number, kNumberPartLength, IsValidUtf8(number)));
    m_panel.SetValue(TGenInfoPanel::kName,
                     FeedText(name + ComposeName(comp.FirstName, comp.LastName, TContentBuilder::kNameLength)));
    m_panel.SetValue(TGenInfoPanel::kBestLap,
                     record.BestLap == 0 ? QStringLiteral("-") : QString::number(record.BestLap));
    const bool noTime = record.BestLapTime == kEmptyLapTime;
    m_panel.SetValue(TGenInfoPanel::kBestLapTime,
                     noTime ? QStringLiteral("-----") : QString::fromLatin1(FormatTime(1, 3, record.BestLapTime)));
    m_panel.SetValue(TGenInfoPanel::kBestSpeed,
                     noTime ? QStringLiteral("-----") : m_content.SpeedText(record.BestLapTime));
    for (int item :
         {TGenInfoPanel::kName, TGenInfoPanel::kBestLap, TGenInfoPanel::kBestLapTime, TGenInfoPanel::kBestSpeed})
        m_panel.Value(item)->repaint();
}

void TRecordProcessor::ApplyNewRun()
{
    m_state.RaceFinished = false;
    m_state.ClearRun();
    m_state.RunName.clear();
    for (std::uint8_t kind : {kLayoutCompletedLap, kLayoutCurrentRace, kLayoutPractice, kLayoutTrackPositions})
        m_content.ResetKind(kind);
    for (int item : {TGenInfoPanel::kBestLap, TGenInfoPanel::kName, TGenInfoPanel::kBestLapTime,
                     TGenInfoPanel::kBestSpeed, TGenInfoPanel::kRun})
        m_panel.SetValue(item, QString());
    ShowStandBy();
}

void TRecordProcessor::ShowStandBy()
{
    const QRect main = m_mainWindow ? m_mainWindow->geometry() : QRect();
    const int top = (main.height() - m_message.height()) / 2 + main.top();
    const int left = (main.width() - m_message.width()) / 2 + main.left();
    m_message.move(left, top);
    m_message.SetMessage(QStringLiteral("Please stand by....."));
    m_message.show();
    m_state.StandByShown = true;
}

void TRecordProcessor::ApplyPassing(const TJRec& record)
{
    m_state.CurrentPassingList.SetFromJ(record);
    m_state.recordPassing(record);
    const int practice = m_state.PracList.FindByRegNo(record.RegNo);
    const TimeValue best = practice < 0 ? 0 : m_state.PracList.At(practice).BestLapTime;
    m_state.MarkerList.SetPassTime(record.RegNo, m_clock.TimeOfDay());
    const int marker = m_state.MarkerList.FindByRegNo(record.RegNo);
    if (marker < 0)
        return; // the marker list is full
    if (m_state.RaceFinished) {
        m_state.MarkerList.SetPracStatus(marker, kChequeredFlag);
        m_state.MarkerList.SetRaceStatus(marker, kChequeredFlag);
        return;
    }
    m_state.MarkerList.SetRaceStatus(marker, kGreenBall);
    m_state.MarkerList.SetPracStatus(marker, best <= record.LapTime ? kGreenBall : kGreenArrow);
}

} // namespace kav
