// Record processing of settings, practice positions, new runs and passings.
#include "record_processor.h"

#include "feed_text.h"
#include "text_helpers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kav {

namespace {

constexpr std::size_t kNumberPartLength = 10;

// Kilometres as written in the feed, as whole metres; nothing when no number can be read at all.
bool readTrackLength(std::string_view text, std::int32_t& metres)
{
    text = trimSpaces(text);
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

void RecordProcessor::applySetting(const TrackSettingRecord& record)
{
    // A new venue shows at once, not after the next start or the Miscellaneous dialog.
    if (record.Name == "TRACKLENGTH") {
        std::int32_t metres = m_settings->TrackLength;
        readTrackLength(record.Value, metres);
        m_settings.takeFeedTrackLength(metres);
    } else if (record.Name == "TRACKNAME") {
        m_settings.takeFeedTrackName(record.Value);
    }
}

void RecordProcessor::applyPractice(const PracticePositionRecord& record)
{
    const int position = record.Position;
    m_content.growRows(position);
    if (position == 0 || position > m_state.RowCount)
        return;
    // The timing system sends every car's best lap again with each of its crossings: most change nothing.
    const ReadablePracticeList& list = m_state.PracticeList;
    const bool sentAgain = position <= list.count() && list.at(position - 1).RegNo == record.RegNo &&
                           list.at(position - 1).BestLapTime == record.BestLapTime;
    m_state.PracticeList.setFromH(record);
    m_state.PracticeList.computeGaps();
    if (position <= m_state.PracticeList.count())
        m_content.fillPracticeRow(position, m_state.PracticeList.at(position - 1));
    m_content.setGapCells(kLayoutPractice, m_state.PracticeList);
    if (!sentAgain)
        m_content.putPracticeClassCells(position - 1);
    const int raceIndex = m_state.CurrentRaceList.findByRegNo(record.RegNo);
    if (raceIndex >= 0) {
        const RaceResultRecord& race = m_state.CurrentRaceList.at(raceIndex);
        m_content.fillRaceRow(raceIndex + 1, race);
        if (m_state.RaceFinished)
            m_content.fillLapRow(raceIndex + 1, race, 2);
    }
    if (position == 1)
        showPracticeLeader(record);
    m_state.events().takeBestLap(record, m_state.eventNames());
}

void RecordProcessor::showPracticeLeader(const PracticePositionRecord& record)
{
    const FullCompetitorRecord comp = m_state.CompList.findByRegNo(record.RegNo);
    const std::string number = comp.Number + "  ";
    const std::string name(cutText(number, kNumberPartLength, isValidUtf8(number)));
    m_info.setValue(RunInfo::kName,
                    feedText(name + composeName(comp.FirstName, comp.LastName, ContentBuilder::kNameLength)));
    m_info.setValue(RunInfo::kBestLap, record.BestLap == 0 ? QStringLiteral("-") : QString::number(record.BestLap));
    const bool noTime = record.BestLapTime == kEmptyLapTime;
    m_info.setValue(RunInfo::kBestLapTime,
                    noTime ? QStringLiteral("-----") : QString::fromLatin1(formatTime(1, 3, record.BestLapTime)));
    m_info.setValue(RunInfo::kBestSpeed, noTime ? QStringLiteral("-----") : m_content.speedText(record.BestLapTime));
}

void RecordProcessor::applyNewRun(const RunStartRecord& record)
{
    m_state.RaceFinished = false;
    m_info.setFinished(false);
    m_state.clearRun();
    m_state.RunName.clear();
    m_state.RunDate = record.Text2;
    m_state.RunStartTime = record.Time1;
    for (std::uint8_t kind : {kLayoutCompletedLap, kLayoutCurrentRace, kLayoutPractice, kLayoutTrackPositions})
        m_content.resetKind(kind);
    for (int item : {RunInfo::kBestLap, RunInfo::kName, RunInfo::kBestLapTime, RunInfo::kBestSpeed, RunInfo::kRun})
        m_info.setValue(item, QString());
    showStandBy();
}

void RecordProcessor::showStandBy()
{
    m_state.StandByShown = true;
    emit standByChanged(true);
}

void RecordProcessor::applyPassing(const PassingRecord& record)
{
    m_state.CurrentPassingList.setFromJ(record);
    m_state.recordPassing(record);
    const int practice = m_state.PracticeList.findByRegNo(record.RegNo);
    const TimeValue best = practice < 0 ? 0 : m_state.PracticeList.at(practice).BestLapTime;
    m_state.MarkerList.setPassTime(record.RegNo, m_clock.timeOfDay());
    const int marker = m_state.MarkerList.findByRegNo(record.RegNo);
    if (marker < 0)
        return; // the marker list is full
    if (m_state.RaceFinished) {
        m_state.MarkerList.setPracticeStatus(marker, kChequeredFlag);
        m_state.MarkerList.setRaceStatus(marker, kChequeredFlag);
        return;
    }
    m_state.MarkerList.setRaceStatus(marker, kGreenBall);
    m_state.MarkerList.setPracticeStatus(marker, best <= record.LapTime ? kGreenBall : kGreenArrow);
}

} // namespace kav
