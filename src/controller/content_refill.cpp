// The whole-window operations of content building: refills, clearing, repaints, gaps, row growth.
#include "content_builder.h"

namespace kav {

void TContentBuilder::RefillLap(const TCurrentRaceList& list, int mode)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (list.At(i).RegNo.empty())
            ClearRow(kLayoutCompletedLap, i + 1);
        else
            FillLapRow(i + 1, list.At(i), mode);
    }
}

void TContentBuilder::RefillRace()
{
    const TCurrentRaceList& list = m_state.CurrentRaceList;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.At(i).RegNo.empty())
            ClearRow(kLayoutCurrentRace, i + 1);
        else
            FillRaceRow(i + 1, list.At(i));
    }
}

void TContentBuilder::RefillPrac()
{
    const TReadablePracList& list = m_state.PracList;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.At(i).RegNo.empty())
            ClearRow(kLayoutPractice, i + 1);
        else
            FillPracRow(i + 1, list.At(i));
    }
}

void TContentBuilder::RefillTrack(const TCurrentTrackList& list, int mode)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (list.At(i).RegNo.empty())
            ClearRow(kLayoutTrackPositions, i + 1);
        else
            FillTrackRow(i + 1, list.At(i), mode);
    }
}

void TContentBuilder::RefillKind(std::uint8_t kind)
{
    switch (kind) {
    case kLayoutCompletedLap:
        if (m_state.RaceFinished)
            RefillLap(m_state.CurrentRaceList, 2);
        else
            RefillLap(m_state.LapRaceList, 1);
        break;
    case kLayoutPractice: RefillPrac(); break;
    case kLayoutTrackPositions: RefillTrack(m_state.LapTrackList, 1); break;
    case kLayoutCurrentRace: RefillRace(); break;
    default: break;
    }
}

void TContentBuilder::RefillAll()
{
    for (std::uint8_t kind : {kLayoutCompletedLap, kLayoutCurrentRace, kLayoutPractice, kLayoutTrackPositions})
        RefillKind(kind);
}

// The row keeps its marker picture; the position column shows the row number again.
void TContentBuilder::ClearRow(std::uint8_t kind, int row)
{
    m_models.forKind(kind).clearRow(row - 1);
}

void TContentBuilder::ResetKind(std::uint8_t kind)
{
    ResultsModel& model = m_models.forKind(kind);
    model.clearAllRows();
    for (int row = 0; row < model.rowCount(); ++row)
        model.setPicture(row, kColMarker, Picture(kWhiteFlag));
}

template <typename List>
void TContentBuilder::PutGaps(std::uint8_t kind, const List& list)
{
    for (int i = 0; i < list.Count(); ++i) {
        const auto& entry = list.At(i);
        if (!entry.RegNo.empty() && entry.Changed)
            SetCellText(kind, kColGap, QString::fromLatin1(entry.Gap), i + 1);
    }
}

void TContentBuilder::SetGapCells(std::uint8_t kind, const TCurrentRaceList& list)
{
    PutGaps(kind, list);
}

void TContentBuilder::SetGapCells(std::uint8_t kind, const TReadablePracList& list)
{
    PutGaps(kind, list);
}

void TContentBuilder::GrowRows(int position)
{
    const int rows = m_state.RowsFor(position);
    if (rows == 0)
        return;
    m_state.RowCount = rows;
    m_models.setRowCount(rows);
}

} // namespace kav
