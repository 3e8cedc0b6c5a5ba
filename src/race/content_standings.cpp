// The cells the program works out itself rather than reading them from a record: each car's place
// and distances within its class, and its pit state from the line crossings.
#include "content_builder.h"

#include <utility>

#include "feed_text.h"

namespace kav {

namespace {

const QString kNoValue = QStringLiteral("-----");

// A standings entry as the class standings see it: race places count laps and time, practice places
// the best lap (a car without a timed lap stands behind all that have one).
StandingEntry standingEntry(std::uint8_t classNo, const RaceResultRecord& entry)
{
    return {classNo, entry.Laps, entry.TotalTime};
}

StandingEntry standingEntry(std::uint8_t classNo, const PracticeResultRecord& entry)
{
    const bool timed = entry.BestLapTime > 0 && entry.BestLapTime != kEmptyLapTime;
    return {classNo, 0, timed ? entry.BestLapTime : 0};
}

} // namespace

std::vector<ContentBuilder::ShownRow>& ContentBuilder::shownRows(std::uint8_t kind)
{
    return m_shownRows[std::size_t(kind - kLayoutCompletedLap) % m_shownRows.size()];
}

ContentBuilder::ShownRow& ContentBuilder::shownRow(std::uint8_t kind, int row)
{
    std::vector<ShownRow>& shown = shownRows(kind);
    if (shown.size() < std::size_t(row))
        shown.resize(std::size_t(row));
    return shown[std::size_t(row - 1)];
}

ContentBuilder::KeptClassRows& ContentBuilder::keptClassRows(std::uint8_t kind)
{
    return m_keptClassRows[std::size_t(kind - kLayoutCompletedLap) % m_keptClassRows.size()];
}

void ContentBuilder::putClassRow(std::uint8_t kind, int row, std::string_view regNo, std::uint8_t classNo,
                                 const ClassStanding& standing)
{
    ShownRow& held = shownRow(kind, row);
    held.classNo = classNo;
    held.classGeneration = m_state.CompList.generation();
    // A row that shows another car has all its cells written; otherwise only what changed, as a
    // car that drops out of the standings for a moment changes the class places behind it only.
    const bool sameCar = held.regNo == regNo;
    if (sameCar && held.standing == standing)
        return;
    if (!sameCar)
        held.regNo = regNo;
    const ClassStanding was = sameCar ? held.standing : ClassStanding{};
    held.standing = standing;
    if (!sameCar || was.classPosition != standing.classPosition)
        setCellText(kind, kColClassPosition, QString::number(standing.classPosition), row);
    const auto putGap = [&](int column, const GapSource& before, const GapSource& now) {
        if (!sameCar || before != now)
            setCellText(kind, column, QString::fromStdString(m_gaps.textOf(now)), row);
    };
    putGap(kColClassGap, was.classGap, standing.classGap);
    putGap(kColInterval, was.interval, standing.interval);
    putGap(kColClassInterval, was.classInterval, standing.classInterval);
}

template <typename List>
void ContentBuilder::putListClassCells(std::uint8_t kind, const List& list, int first, int last)
{
    HeldClassCells& held = heldClassCells(kind);
    if (first < 0) {
        held = {}; // a whole pass leaves nothing to wait for
    } else if (m_holdingClassCells) {
        if (held.first >= 0 && held.list != &list)
            putHeldClassCells(kind);
        held.first = held.first < 0 ? first : std::min(held.first, first);
        held.last = std::max(held.last, last);
        held.list = &list;
        return;
    }
    workOutClassCells(kind, list, first, last);
}

template <typename List>
void ContentBuilder::workOutClassCells(std::uint8_t kind, const List& list, int first, int last)
{
    // Each row's car keeps its class from the last time while the competitor list has not changed,
    // which saves a look-up per car.
    std::vector<ShownRow>& shown = shownRows(kind);
    if (shown.size() < std::size_t(list.count()))
        shown.resize(std::size_t(list.count()));
    const std::uint64_t generation = m_state.CompList.generation();
    const auto rowAt = [&](int i) -> ClassStandingRows::Row {
        const auto& entry = list.at(i);
        if (entry.RegNo.empty())
            return {};
        const ShownRow& held = shown[std::size_t(i)];
        const bool known = held.classGeneration == generation && held.regNo == entry.RegNo;
        return {true, standingEntry(known ? held.classNo : m_state.CompList.classOf(entry.RegNo), entry)};
    };
    const auto put = [&](int i, const StandingEntry& car, ClassStanding standing) {
        // Practice places are by best lap: the class's fastest car shows no gap, as the overall one does not.
        if (kind == kLayoutPractice && standing.classGap.kind == GapSource::Kind::LapCount)
            standing.classGap = GapSource::blank();
        putClassRow(kind, i + 1, list.at(i).RegNo, std::uint8_t(car.classNo), standing);
    };
    KeptClassRows& kept = keptClassRows(kind);
    if (first >= 0 && kept.list == &list && kept.classGeneration == generation)
        kept.rows.update(list.count(), first, last, rowAt, put);
    else
        kept.rows.refill(list.count(), rowAt, put);
    kept.list = &list;
    kept.classGeneration = generation;
}

ContentBuilder::HeldClassCells& ContentBuilder::heldClassCells(std::uint8_t kind)
{
    return m_heldClassCells[std::size_t(kind - kLayoutCompletedLap) % m_heldClassCells.size()];
}

void ContentBuilder::putHeldClassCells(std::uint8_t kind)
{
    const HeldClassCells rows = std::exchange(heldClassCells(kind), {});
    if (rows.first < 0)
        return;
    if (kind == kLayoutPractice)
        workOutClassCells(kind, m_state.PracticeList, rows.first, rows.last);
    else
        workOutClassCells(kind, *static_cast<const ReadableRaceList*>(rows.list), rows.first, rows.last);
}

void ContentBuilder::flushClassCells()
{
    m_holdingClassCells = false;
    for (const std::uint8_t kind : {kLayoutCompletedLap, kLayoutCurrentRace, kLayoutPractice})
        putHeldClassCells(kind);
}

void ContentBuilder::putClassCells(std::uint8_t kind, const ReadableRaceList& standings, int first, int last)
{
    putListClassCells(kind, standings, first, last);
}

void ContentBuilder::putPracticeClassCells(int changedIndex)
{
    putListClassCells(kLayoutPractice, m_state.PracticeList, changedIndex, changedIndex);
}

// Track rows are in the order of the line; each takes its car's standing in the lap's standings.
void ContentBuilder::putTrackClassCells(const ReadableTrackList& rows, const ReadableRaceList& standings)
{
    std::vector<ClassStanding> places(std::size_t(standings.count()));
    m_trackTally.restart();
    for (int i = 0; i < standings.count(); ++i) {
        const RaceResultRecord& entry = standings.at(i);
        if (!entry.RegNo.empty())
            places[std::size_t(i)] = m_trackTally.next(standingEntry(m_state.CompList.classOf(entry.RegNo), entry));
    }
    for (int i = 0; i < rows.count(); ++i) {
        const std::string& regNo = rows.at(i).RegNo;
        const int index = regNo.empty() ? -1 : standings.findByRegNo(regNo);
        if (index >= 0)
            putClassRow(kLayoutTrackPositions, i + 1, regNo, m_state.CompList.classOf(regNo),
                        places[std::size_t(index)]);
    }
}

// A feed without pit loops leaves the pit cells empty; with them, a car not seen at a loop yet has
// made no stop and is in its first stint.
void ContentBuilder::putPitCells(std::uint8_t kind, int row, std::string_view regNo, std::int32_t laps)
{
    const PitStops& pits = m_state.pits();
    if (!pits.anyCrossing())
        return;
    const PitState* state = pits.find(regNo);
    const bool stopped = state && state->lastStop >= 0;
    setCellText(kind, kColInPit, state && state->inPitLane ? QStringLiteral("PIT") : QString(), row);
    setCellText(kind, kColPitStops, QString::number(state ? state->stops : 0), row);
    setCellText(kind, kColLastStop, stopped ? QString::fromLatin1(formatTime(7, 3, state->lastStop)) : kNoValue, row);
    const std::int32_t stint = state ? laps - state->stintStartLap : laps;
    setCellText(kind, kColStintLaps, laps < 0 ? kNoValue : QString::number(std::max(stint, 0)), row);
}

void ContentBuilder::showAllPitStates()
{
    const ReadableRaceList& current = m_state.CurrentRaceList;
    for (int i = 0; i < current.count(); ++i) {
        if (!current.at(i).RegNo.empty())
            showPitState(current.at(i).RegNo);
    }
    const ReadablePracticeList& practice = m_state.PracticeList;
    for (int i = 0; i < practice.count(); ++i) {
        if (!practice.at(i).RegNo.empty())
            showPitState(practice.at(i).RegNo);
    }
}

void ContentBuilder::showPitState(std::string_view regNo)
{
    const ReadableRaceList& lap = m_state.RaceFinished ? m_state.CurrentRaceList : m_state.LapRaceList;
    const ReadableRaceList& current = m_state.CurrentRaceList;
    const int currentIndex = current.findByRegNo(regNo);
    const std::int32_t laps = currentIndex < 0 ? -1 : current.at(currentIndex).Laps;
    if (currentIndex >= 0)
        putPitCells(kLayoutCurrentRace, currentIndex + 1, regNo, laps);
    if (const int index = lap.findByRegNo(regNo); index >= 0)
        putPitCells(kLayoutCompletedLap, index + 1, regNo, lap.at(index).Laps);
    if (const int index = m_state.LapTrackList.findByRegNo(regNo); index >= 0)
        putPitCells(kLayoutTrackPositions, index + 1, regNo, m_state.LapTrackList.at(index).Laps);
    if (const int index = m_state.PracticeList.findByRegNo(regNo); index >= 0)
        putPitCells(kLayoutPractice, index + 1, regNo, laps);
}

} // namespace kav
