#include "content_builder.h"

#include "feed_text.h"
#include "text_helpers.h"

#include <algorithm>

namespace kav {

namespace {

enum ResultColumn : std::uint8_t {
    kColNumber = 2,
    kColFirstName = 3,
    kColLastName = 4,
    kColName = 5,
    kColAddData = 6,
    kColLaps = 7,
    kColTotalTime = 8,
    kColLastLapTime = 9,
    kColBestLap = 10,
    kColBestLapTime = 11,
    kColLastSpeed = 12,
    kColBestSpeed = 13,
    kColClass = kClassColumn,
    kColNationality = 16,
};

const QString kNoValue = QStringLiteral("-----");
const QString kNoLap = QStringLiteral("-");

std::uint8_t codeFor(const Marker& marker, std::uint8_t kind)
{
    switch (kind) {
    case kLayoutCompletedLap: return marker.LapStatus;
    case kLayoutPractice: return marker.PracticeStatus;
    case kLayoutTrackPositions: return marker.TrackStatus;
    default: return marker.RaceStatus;
    }
}

} // namespace

ContentBuilder::ContentBuilder(RaceState& state, ResultsModels& models, const MainSettings& settings,
                               const FollowList& followed)
    : m_state(state), m_models(models), m_settings(settings), m_followed(followed)
{
}

void ContentBuilder::setCellText(std::uint8_t kind, std::uint8_t id, const QString& text, int row)
{
    m_models.forKind(kind).setText(row - 1, id, text);
}

void ContentBuilder::setCellIcon(std::uint8_t kind, std::uint8_t id, std::uint8_t marker, int row)
{
    m_models.forKind(kind).setMarker(row - 1, id, marker);
}

void ContentBuilder::setStatusIcon(std::uint8_t kind, std::string_view regNo, int row)
{
    const int index = m_state.MarkerList.findByRegNo(regNo);
    if (index < 0)
        return;
    const std::uint8_t marker = codeFor(m_state.MarkerList.at(index), kind);
    if (showsMarker(marker))
        setCellIcon(kind, kColMarker, marker, row);
}

void ContentBuilder::setRowColours(std::uint8_t kind, std::string_view regNo, int row)
{
    const bool followed = m_followed.contains(regNo);
    const ColorValue text = m_settings.Colors[followed ? kFollowText : kResultsText];
    const ColorValue back = m_settings.Colors[followed ? kFollowBackground : kResultsBackground];
    m_models.forKind(kind).setRowColours(row - 1, text, back);
}

void ContentBuilder::putText(std::uint8_t kind, std::uint8_t id, int row, std::string_view text)
{
    setCellText(kind, id, feedText(text), row);
}

void ContentBuilder::putCompetitorCells(std::uint8_t kind, int row, std::string_view regNo)
{
    ShownRow& held = shownRow(kind, row);
    if (held.competitorGeneration == m_state.CompList.generation() &&
        held.classNamesGeneration == m_state.ClassTable.generation() && held.competitor == regNo)
        return;
    held.competitor = regNo;
    held.competitorGeneration = m_state.CompList.generation();
    held.classNamesGeneration = m_state.ClassTable.generation();
    const FullCompetitorRecord comp = m_state.CompList.findByRegNo(regNo);
    putText(kind, kColNumber, row, comp.Number);
    putText(kind, kColFirstName, row, comp.FirstName);
    putText(kind, kColLastName, row, comp.LastName);
    putText(kind, kColName, row, composeName(comp.FirstName, comp.LastName, kNameLength));
    putText(kind, kColClass, row, m_state.ClassTable.get(comp.ClassNo));
    putText(kind, kColNationality, row, comp.Nationality);
    putText(kind, kColAddData, row, comp.AddData);
}

void ContentBuilder::putTime(std::uint8_t kind, std::uint8_t id, int row, TimeValue value, bool empty)
{
    if (empty) {
        setCellText(kind, id, kNoValue, row);
        return;
    }
    m_time.setValue(value);
    setCellText(kind, id, QString::fromLatin1(m_time.text()), row);
}

void ContentBuilder::putLapTimeCells(std::uint8_t kind, int row, const PassingRecord* passing,
                                     const PracticeResultRecord* practice)
{
    m_time.setCutMode(7);
    m_time.setBlankMode(3);
    putTime(kind, kColLastLapTime, row, passing ? passing->LapTime : 0, !passing || passing->LapTime == kEmptyLapTime);
    const bool bestLap = practice && practice->BestLap > 0;
    setCellText(kind, kColBestLap, bestLap ? QString::number(practice->BestLap) : kNoLap, row);
    putTime(kind, kColBestLapTime, row, practice ? practice->BestLapTime : 0,
            !practice || practice->BestLapTime == kEmptyLapTime);
}

void ContentBuilder::fillStandingRow(std::uint8_t kind, int row, const RaceResultRecord& entry,
                                     const ReadablePassingList& passings, bool speedNeedsTwoLaps)
{
    m_time.setCutMode(1);
    m_time.setBlankMode(1);
    const PassingRecord* passing = passingOf(passings, entry.RegNo);
    const PracticeResultRecord* practice = practiceOf(entry.RegNo);
    setRowColours(kind, entry.RegNo, row);
    setStatusIcon(kind, entry.RegNo, row);
    putCompetitorCells(kind, row, entry.RegNo);
    setCellText(kind, kColLaps, QString::number(entry.Laps), row);
    putTime(kind, kColTotalTime, row, entry.TotalTime, false);
    putLapTimeCells(kind, row, passing, practice);
    const bool speed = passing && (!speedNeedsTwoLaps || entry.Laps >= 2);
    setCellText(kind, kColLastSpeed, speed ? speedText(passing->LapTime) : kNoValue, row);
    setCellText(kind, kColBestSpeed, practice ? speedText(practice->BestLapTime) : kNoValue, row);
    putText(kind, kColGap, row, entry.Gap);
    putPitCells(kind, row, entry.RegNo, entry.Laps);
}

void ContentBuilder::fillLapRow(int row, const RaceResultRecord& entry, int mode)
{
    const auto& passings = mode == 1 ? m_state.LapPassingList : m_state.CurrentPassingList;
    fillStandingRow(kLayoutCompletedLap, row, entry, passings, true);
}

void ContentBuilder::fillRaceRow(int row, const RaceResultRecord& entry)
{
    fillStandingRow(kLayoutCurrentRace, row, entry, m_state.CurrentPassingList, false);
}

void ContentBuilder::fillTrackRow(int row, const TrackResultRecord& entry, int mode)
{
    const auto& passings = mode == 1 ? m_state.LapPassingList : m_state.CurrentPassingList;
    fillStandingRow(kLayoutTrackPositions, row, entry, passings, true);
}

void ContentBuilder::fillPracticeRow(int row, const PracticeResultRecord& entry)
{
    constexpr std::uint8_t kind = kLayoutPractice;
    m_time.setCutMode(1);
    m_time.setBlankMode(1);
    const int raceIndex = m_state.CurrentRaceList.findByRegNo(entry.RegNo);
    const RaceResultRecord* race = raceIndex < 0 ? nullptr : &m_state.CurrentRaceList.at(raceIndex);
    const PassingRecord* passing = passingOf(m_state.CurrentPassingList, entry.RegNo);
    setRowColours(kind, entry.RegNo, row);
    setStatusIcon(kind, entry.RegNo, row);
    putCompetitorCells(kind, row, entry.RegNo);
    setCellText(kind, kColLaps, race ? QString::number(race->Laps) : kNoValue, row);
    putTime(kind, kColTotalTime, row, race ? race->TotalTime : 0, !race);
    putLapTimeCells(kind, row, passing, &entry);
    const bool speed = passing && race && race->Laps >= 2;
    setCellText(kind, kColLastSpeed, speed ? speedText(passing->LapTime) : kNoValue, row);
    setCellText(kind, kColBestSpeed, entry.BestLapTime > 0 ? speedText(entry.BestLapTime) : kNoValue, row);
    putText(kind, kColGap, row, entry.Gap);
    putPitCells(kind, row, entry.RegNo, race ? race->Laps : -1);
}

const PassingRecord* ContentBuilder::passingOf(const ReadablePassingList& list, std::string_view regNo) const
{
    const int index = list.findByRegNo(regNo);
    return index < 0 ? nullptr : &list.at(index);
}

const PracticeResultRecord* ContentBuilder::practiceOf(std::string_view regNo) const
{
    const int index = m_state.PracticeList.findByRegNo(regNo);
    return index < 0 ? nullptr : &m_state.PracticeList.at(index);
}

QString ContentBuilder::speedText(TimeValue lapTime) const
{
    if (lapTime < 1 || lapTime == kEmptyLapTime)
        return kNoValue;
    const double kmh = (m_settings.TrackLength / 1000.0) * 36000000.0 / lapTime;
    return QString::number(kmh, 'f', std::clamp(m_settings.SpeedDecimals, 0, 3));
}

} // namespace kav
