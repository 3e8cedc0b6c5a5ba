// The cells the program works out itself rather than reading them from a record: each car's place
// and distances within its class, and its pit state from the line crossings.
#include "content_builder.h"

#include "feed_text.h"

namespace kav {

namespace {

const QString kNoValue = QStringLiteral("-----");

// The class standings of a list's filled rows; rows without a car get none. classOf(index, regNo)
// gives the class of the car at index.
template <typename List, typename ClassOf>
std::vector<ClassStanding> standingsOf(const List& list, const ClassOf& classOf)
{
    std::vector<StandingEntry> entries;
    entries.reserve(std::size_t(list.count()));
    for (int i = 0; i < list.count(); ++i) {
        const auto& entry = list.at(i);
        if (entry.RegNo.empty())
            continue;
        if constexpr (requires { entry.BestLapTime; }) {
            const bool timed = entry.BestLapTime > 0 && entry.BestLapTime != kEmptyLapTime;
            entries.push_back({classOf(i, entry.RegNo), 0, timed ? entry.BestLapTime : 0});
        } else {
            entries.push_back({classOf(i, entry.RegNo), entry.Laps, entry.TotalTime});
        }
    }
    return classStandings(entries);
}

} // namespace

std::vector<ContentBuilder::ShownClassRow>& ContentBuilder::shownClassRows(std::uint8_t kind)
{
    return m_shownClassRows[std::size_t(kind - kLayoutCompletedLap) % m_shownClassRows.size()];
}

void ContentBuilder::putClassRow(std::uint8_t kind, int row, std::string_view regNo, std::uint8_t classNo,
                                 const ClassStanding& standing)
{
    std::vector<ShownClassRow>& shown = shownClassRows(kind);
    if (shown.size() < std::size_t(row))
        shown.resize(std::size_t(row));
    ShownClassRow& held = shown[std::size_t(row - 1)];
    held.classNo = classNo;
    held.classGeneration = m_state.CompList.generation();
    if (held.regNo == regNo && held.standing == standing)
        return;
    held.regNo = regNo;
    held.standing = standing;
    setCellText(kind, kColClassPosition, QString::number(standing.classPosition), row);
    setCellText(kind, kColClassGap, QString::fromStdString(m_gaps.textOf(standing.classGap)), row);
    setCellText(kind, kColInterval, QString::fromStdString(m_gaps.textOf(standing.interval)), row);
    setCellText(kind, kColClassInterval, QString::fromStdString(m_gaps.textOf(standing.classInterval)), row);
}

void ContentBuilder::putClassCells(std::uint8_t kind, const ReadableRaceList& standings)
{
    // The rows are the standings: each row's car keeps its class from the last time while the
    // competitor list has not changed, which saves a look-up per car on every standing.
    const std::vector<ShownClassRow>& shown = shownClassRows(kind);
    const std::uint64_t generation = m_state.CompList.generation();
    const auto classOf = [&](int index, std::string_view regNo) {
        if (std::size_t(index) < shown.size()) {
            const ShownClassRow& held = shown[std::size_t(index)];
            if (held.classGeneration == generation && held.regNo == regNo)
                return held.classNo;
        }
        return m_state.CompList.classOf(regNo);
    };
    const std::vector<ClassStanding> places = standingsOf(standings, classOf);
    std::size_t next = 0;
    for (int i = 0; i < standings.count(); ++i) {
        const std::string& regNo = standings.at(i).RegNo;
        if (!regNo.empty())
            putClassRow(kind, i + 1, regNo, classOf(i, regNo), places[next++]);
    }
}

void ContentBuilder::putTrackClassCells(const ReadableTrackList& rows, const ReadableRaceList& standings)
{
    const auto classOf = [this](int, std::string_view regNo) { return m_state.CompList.classOf(regNo); };
    const std::vector<ClassStanding> places = standingsOf(standings, classOf);
    std::vector<std::size_t> placeOfIndex(std::size_t(standings.count()), places.size());
    for (std::size_t i = 0, next = 0; i < placeOfIndex.size(); ++i) {
        if (!standings.at(int(i)).RegNo.empty())
            placeOfIndex[i] = next++;
    }
    for (int i = 0; i < rows.count(); ++i) {
        const int index = rows.at(i).RegNo.empty() ? -1 : standings.findByRegNo(rows.at(i).RegNo);
        if (index >= 0 && placeOfIndex[std::size_t(index)] < places.size())
            putClassRow(kLayoutTrackPositions, i + 1, rows.at(i).RegNo, classOf(i, rows.at(i).RegNo),
                        places[placeOfIndex[std::size_t(index)]]);
    }
}

// Practice places are by best lap; the class's fastest car shows no gap, as the overall one does not.
void ContentBuilder::putPracticeClassCells()
{
    const ReadablePracticeList& list = m_state.PracticeList;
    const auto classOf = [this](int, std::string_view regNo) { return m_state.CompList.classOf(regNo); };
    std::vector<ClassStanding> places = standingsOf(list, classOf);
    std::size_t next = 0;
    for (int i = 0; i < list.count(); ++i) {
        if (list.at(i).RegNo.empty())
            continue;
        ClassStanding& place = places[next++];
        if (place.classGap.kind == GapSource::Kind::LapCount)
            place.classGap = GapSource::blank();
        putClassRow(kLayoutPractice, i + 1, list.at(i).RegNo, classOf(i, list.at(i).RegNo), place);
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
