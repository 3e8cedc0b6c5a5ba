// The whole-kind operations of content building: refills, clearing, repaints, gaps, row growth.
#include "content_builder.h"

namespace kav {

void ContentBuilder::refillLap(const ReadableRaceList& list, int mode)
{
    for (int i = 0; i < list.count(); ++i) {
        if (list.at(i).RegNo.empty())
            clearRow(kLayoutCompletedLap, i + 1);
        else
            fillLapRow(i + 1, list.at(i), mode);
    }
    putClassCells(kLayoutCompletedLap, list);
}

void ContentBuilder::refillRace()
{
    const ReadableRaceList& list = m_state.CurrentRaceList;
    for (int i = 0; i < list.count(); ++i) {
        if (list.at(i).RegNo.empty())
            clearRow(kLayoutCurrentRace, i + 1);
        else
            fillRaceRow(i + 1, list.at(i));
    }
    putClassCells(kLayoutCurrentRace, list);
}

void ContentBuilder::refillPractice()
{
    const ReadablePracticeList& list = m_state.PracticeList;
    for (int i = 0; i < list.count(); ++i) {
        if (list.at(i).RegNo.empty())
            clearRow(kLayoutPractice, i + 1);
        else
            fillPracticeRow(i + 1, list.at(i));
    }
    putPracticeClassCells();
}

void ContentBuilder::refillTrack(const ReadableTrackList& list, int mode)
{
    for (int i = 0; i < list.count(); ++i) {
        if (list.at(i).RegNo.empty())
            clearRow(kLayoutTrackPositions, i + 1);
        else
            fillTrackRow(i + 1, list.at(i), mode);
    }
    putTrackClassCells(list, mode == 1 ? m_state.LapRaceList : m_state.CurrentRaceList);
}

void ContentBuilder::refillKind(std::uint8_t kind)
{
    switch (kind) {
    case kLayoutCompletedLap:
        if (m_state.RaceFinished)
            refillLap(m_state.CurrentRaceList, 2);
        else
            refillLap(m_state.LapRaceList, 1);
        break;
    case kLayoutPractice: refillPractice(); break;
    case kLayoutTrackPositions: refillTrack(m_state.LapTrackList, 1); break;
    case kLayoutCurrentRace: refillRace(); break;
    default: break;
    }
}

void ContentBuilder::refillAll()
{
    for (std::uint8_t kind : {kLayoutCompletedLap, kLayoutCurrentRace, kLayoutPractice, kLayoutTrackPositions})
        refillKind(kind);
}

// The row keeps its marker picture; the position column shows the row number again.
void ContentBuilder::clearRow(std::uint8_t kind, int row)
{
    m_models.forKind(kind).clearRow(row - 1);
    if (std::vector<ShownRow>& shown = shownRows(kind); std::size_t(row) <= shown.size())
        shown[std::size_t(row - 1)] = {};
}

void ContentBuilder::resetKind(std::uint8_t kind)
{
    ResultsModel& model = m_models.forKind(kind);
    model.clearAllRows();
    shownRows(kind).clear();
    keptClassRows(kind).list = nullptr;
    heldClassCells(kind) = {};
    for (int row = 0; row < model.rowCount(); ++row)
        model.setMarker(row, kColMarker, kWhiteFlag);
}

void ContentBuilder::restart()
{
    // Emptied first, so that every cell, marker and colour is made afresh.
    m_models.setRowCount(0);
    m_models.setRowCount(m_state.RowCount);
    for (std::vector<ShownRow>& rows : m_shownRows)
        rows.clear();
    m_keptClassRows.fill({});
    m_heldClassCells.fill({});
    m_holdingClassCells = false;
    m_trackTally = {};
}

template <typename List>
void ContentBuilder::putGaps(std::uint8_t kind, const List& list)
{
    for (int i = 0; i < list.count(); ++i) {
        const auto& entry = list.at(i);
        if (!entry.RegNo.empty() && entry.Changed)
            setCellText(kind, kColGap, QString::fromLatin1(entry.Gap), i + 1);
    }
}

void ContentBuilder::setGapCells(std::uint8_t kind, const ReadableRaceList& list)
{
    putGaps(kind, list);
}

void ContentBuilder::setGapCells(std::uint8_t kind, const ReadablePracticeList& list)
{
    putGaps(kind, list);
}

void ContentBuilder::growRows(int position)
{
    const int rows = m_state.rowsFor(position);
    if (rows == 0)
        return;
    m_state.RowCount = rows;
    m_models.setRowCount(rows);
}

} // namespace kav
