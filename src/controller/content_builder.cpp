#include "content_builder.h"

#include "feed_text.h"
#include "text_helpers.h"

#include <algorithm>

namespace kav {

namespace {

enum TColumn : std::uint8_t {
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
    kColClass = 15,
    kColNationality = 16,
};

const QString kNoValue = QStringLiteral("-----");
const QString kNoLap = QStringLiteral("-");

// Colour slots of the settings record (slot n at index n - 1).
constexpr std::size_t kResultsText = 6;
constexpr std::size_t kResultsBack = 7;
constexpr std::size_t kFollowText = 8;
constexpr std::size_t kFollowBack = 9;

std::uint8_t CodeFor(const TMarker& marker, std::uint8_t kind)
{
    switch (kind) {
    case kLayoutCompletedLap: return marker.LapStatus;
    case kLayoutPractice: return marker.PracStatus;
    case kLayoutTrackPositions: return marker.TrackStatus;
    default: return marker.RaceStatus;
    }
}

} // namespace

TContentBuilder::TContentBuilder(TRaceState& state, ResultsModels& models, const TMainSettings& settings,
                                 const TStatusPictures& pictures)
    : m_state(state), m_models(models), m_settings(settings), m_pictures(pictures)
{
}

void TContentBuilder::SetCellText(std::uint8_t kind, std::uint8_t id, const QString& text, int row)
{
    m_models.forKind(kind).setText(row - 1, id, text);
}

void TContentBuilder::SetCellIcon(std::uint8_t kind, std::uint8_t id, const TPicture* picture, int row)
{
    m_models.forKind(kind).setPicture(row - 1, id, picture);
}

void TContentBuilder::SetStatusIcon(std::uint8_t kind, std::string_view regNo, int row)
{
    const int index = m_state.MarkerList.FindByRegNo(regNo);
    if (index < 0)
        return;
    if (const TPicture* picture = Picture(CodeFor(m_state.MarkerList.At(index), kind)))
        SetCellIcon(kind, kColMarker, picture, row);
}

void TContentBuilder::SetRowColours(std::uint8_t kind, std::string_view regNo, int row)
{
    const bool followed = IsFollowed(regNo);
    const TColorValue text = m_settings.Colors[followed ? kFollowText : kResultsText];
    const TColorValue back = m_settings.Colors[followed ? kFollowBack : kResultsBack];
    m_models.forKind(kind).setRowColours(row - 1, text, back);
}

bool TContentBuilder::IsFollowed(std::string_view regNo) const
{
    return kav::isFollowed(m_settings.FollowList, regNo);
}

void TContentBuilder::PutText(std::uint8_t kind, std::uint8_t id, int row, std::string_view text)
{
    SetCellText(kind, id, FeedText(text), row);
}

void TContentBuilder::PutCompetitorCells(std::uint8_t kind, int row, std::string_view regNo)
{
    const TCompRec comp = m_state.CompList.FindByRegNo(regNo);
    PutText(kind, kColNumber, row, comp.Number);
    PutText(kind, kColFirstName, row, comp.FirstName);
    PutText(kind, kColLastName, row, comp.LastName);
    PutText(kind, kColName, row, ComposeName(comp.FirstName, comp.LastName, kNameLength));
    PutText(kind, kColClass, row, m_state.ClassTable.Get(comp.ClassNo));
    PutText(kind, kColNationality, row, comp.Nationality);
    PutText(kind, kColAddData, row, comp.AddData);
}

void TContentBuilder::PutTime(std::uint8_t kind, std::uint8_t id, int row, TimeValue value, bool empty)
{
    if (empty) {
        SetCellText(kind, id, kNoValue, row);
        return;
    }
    m_time.SetValue(value);
    SetCellText(kind, id, QString::fromLatin1(m_time.GetText()), row);
}

void TContentBuilder::PutLapTimeCells(std::uint8_t kind, int row, const TJRec* passing, const PracResRec* practice)
{
    m_time.SetCutMode(7);
    m_time.SetBlankMode(3);
    PutTime(kind, kColLastLapTime, row, passing ? passing->LapTime : 0, !passing || passing->LapTime == kEmptyLapTime);
    const bool bestLap = practice && practice->BestLap > 0;
    SetCellText(kind, kColBestLap, bestLap ? QString::number(practice->BestLap) : kNoLap, row);
    PutTime(kind, kColBestLapTime, row, practice ? practice->BestLapTime : 0,
            !practice || practice->BestLapTime == kEmptyLapTime);
}

void TContentBuilder::FillStandingRow(std::uint8_t kind, int row, const RaceResRec& entry,
                                      const TReadablePassingList& passings, bool speedNeedsTwoLaps)
{
    m_time.SetCutMode(1);
    m_time.SetBlankMode(1);
    const TJRec* passing = PassingOf(passings, entry.RegNo);
    const PracResRec* practice = PracticeOf(entry.RegNo);
    SetRowColours(kind, entry.RegNo, row);
    SetStatusIcon(kind, entry.RegNo, row);
    PutCompetitorCells(kind, row, entry.RegNo);
    SetCellText(kind, kColLaps, QString::number(entry.Laps), row);
    PutTime(kind, kColTotalTime, row, entry.TotalTime, false);
    PutLapTimeCells(kind, row, passing, practice);
    const bool speed = passing && (!speedNeedsTwoLaps || entry.Laps >= 2);
    SetCellText(kind, kColLastSpeed, speed ? SpeedText(passing->LapTime) : kNoValue, row);
    SetCellText(kind, kColBestSpeed, practice ? SpeedText(practice->BestLapTime) : kNoValue, row);
    PutText(kind, kColGap, row, entry.Gap);
}

void TContentBuilder::FillLapRow(int row, const RaceResRec& entry, int mode)
{
    const auto& passings = mode == 1 ? m_state.LapPassingList : m_state.CurrentPassingList;
    FillStandingRow(kLayoutCompletedLap, row, entry, passings, true);
}

void TContentBuilder::FillRaceRow(int row, const RaceResRec& entry)
{
    FillStandingRow(kLayoutCurrentRace, row, entry, m_state.CurrentPassingList, false);
}

void TContentBuilder::FillTrackRow(int row, const TrackResRec& entry, int mode)
{
    const auto& passings = mode == 1 ? m_state.LapPassingList : m_state.CurrentPassingList;
    FillStandingRow(kLayoutTrackPositions, row, entry, passings, true);
}

void TContentBuilder::FillPracRow(int row, const PracResRec& entry)
{
    constexpr std::uint8_t kind = kLayoutPractice;
    m_time.SetCutMode(1);
    m_time.SetBlankMode(1);
    const int raceIndex = m_state.CurrentRaceList.FindByRegNo(entry.RegNo);
    const RaceResRec* race = raceIndex < 0 ? nullptr : &m_state.CurrentRaceList.At(raceIndex);
    const TJRec* passing = PassingOf(m_state.CurrentPassingList, entry.RegNo);
    SetRowColours(kind, entry.RegNo, row);
    SetStatusIcon(kind, entry.RegNo, row);
    PutCompetitorCells(kind, row, entry.RegNo);
    SetCellText(kind, kColLaps, race ? QString::number(race->Laps) : kNoValue, row);
    PutTime(kind, kColTotalTime, row, race ? race->TotalTime : 0, !race);
    PutLapTimeCells(kind, row, passing, &entry);
    const bool speed = passing && race && race->Laps >= 2;
    SetCellText(kind, kColLastSpeed, speed ? SpeedText(passing->LapTime) : kNoValue, row);
    SetCellText(kind, kColBestSpeed, entry.BestLapTime > 0 ? SpeedText(entry.BestLapTime) : kNoValue, row);
    PutText(kind, kColGap, row, entry.Gap);
}

const TJRec* TContentBuilder::PassingOf(const TReadablePassingList& list, std::string_view regNo) const
{
    const int index = list.FindByRegNo(regNo);
    return index < 0 ? nullptr : &list.At(index);
}

const PracResRec* TContentBuilder::PracticeOf(std::string_view regNo) const
{
    const int index = m_state.PracList.FindByRegNo(regNo);
    return index < 0 ? nullptr : &m_state.PracList.At(index);
}

QString TContentBuilder::SpeedText(TimeValue lapTime) const
{
    if (lapTime < 1 || lapTime == kEmptyLapTime)
        return kNoValue;
    const double kmh = (m_settings.TrackLength / 1000.0) * 36000000.0 / lapTime;
    return QString::number(kmh, 'f', std::clamp(m_settings.SpeedDecimals, 0, 3));
}

} // namespace kav
