#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "class_table.h"
#include "competitor_list.h"
#include "flag_look.h"
#include "lap_history.h"
#include "latest_run_records.h"
#include "marker_list.h"
#include "markers.h"
#include "passing_list.h"
#include "pit_stops.h"
#include "practice_result_list.h"
#include "race_events.h"
#include "race_result_list.h"
#include "track_result_list.h"

namespace kav {

// A model list whose entries can be read in place: content building reads every row on each refill
// and every gap cell on each $G, where a copy per entry would cost more than the rest of the work.
template <typename List>
class ReadableList : public List {
public:
    const typename List::Record& at(int index) const { return this->slotAt(index).data(); }
};

using ReadableRaceList = ReadableList<RaceResultList>;
using ReadableTrackList = ReadableList<TrackResultList>;
using ReadablePracticeList = ReadableList<PracticeResultList>;
using ReadablePassingList = ReadableList<PassingList>;
using ReadableMarkerList = ReadableList<MarkerList>;

// The race data of the run and the record processing's state around it. Lives on the GUI thread only.
class RaceState : private EventCarNames {
public:
    static constexpr int kListLimit = 1000;
    static constexpr int kInitialRows = 80;
    static constexpr int kMaxRows = 1000;

    RaceState();

    CompetitorList CompList;
    ReadableRaceList CurrentRaceList;
    ReadableRaceList LapRaceList;
    ReadablePracticeList PracticeList;
    // The practice standings when the leader last began a lap: the completed lap shows their best laps.
    ReadablePracticeList LapPracticeList;
    ReadableTrackList CurrentTrackList;
    ReadableTrackList LapTrackList;
    ReadablePassingList CurrentPassingList;
    ReadablePassingList LapPassingList;
    ReadableMarkerList MarkerList;
    ClassDescriptionTable ClassTable;
    // The last $I, $B and $F, for the state a newcomer needs.
    LatestRunRecords Latest;

    int RowCount = kInitialRows;
    bool RaceFinished = false;
    std::uint8_t FlagState = kFlagGreen;
    std::uint8_t PrevFlagState = kFlagGreen;
    bool StandByShown = false; // a new run waits for its first valid record
    bool BusyLit = false;
    std::int32_t ErrorCount = 0;
    std::string RunName;
    std::string RunDate;          // as the feed's new run gives it, e.g. "01 Jun"
    TimeValue RunStartTime = -1;  // the time of day of the new run, -1 before any
    TimeValue LastTimeOfDay = -1; // of the last heartbeat

    // The row count that fits position, or 0 when the rows need not grow.
    int rowsFor(int position) const;
    // Empties every list of the run (not the class table).
    void clearRun();
    // Back to the state before the first line, class table, counters and lap history included: a
    // replay that seeks builds the state again from the start of its file.
    void restart() { *this = RaceState(); }

    // Every crossing of the line of the run, for the race charts and the race report.
    LapHistory& lapHistory() { return m_lapHistory; }
    const LapHistory& lapHistory() const { return m_lapHistory; }
    // A passing into the lap history with the flag shown at this moment.
    void recordPassing(const PassingRecord& passing);

    // What the pit-lane loops tell of each car. The pit states start afresh with the lap history, so a
    // new run that turns out to be the same run going on keeps them.
    const PitStops& pits() const { return m_pits; }
    PitStops& pits() { return m_pits; }
    // What just happened in the run, for a ticker and the dump; it starts afresh with the lap history
    // like the pit states.
    const RaceEvents& events() const { return m_events; }
    RaceEvents& events() { return m_events; }
    // The cars' numbers and classes as the competitor list and the class table give them.
    const EventCarNames& eventNames() const { return *this; }

    // After each record: a run started afresh empties the pit states and the events.
    void followRun();

private:
    std::uint64_t generation() const override;
    EventCar describe(std::string_view regNo) const override;

    LapHistory m_lapHistory;
    PitStops m_pits;
    RaceEvents m_events;
    std::uint64_t m_followedRun = 0; // the lap history's run the pit states and the events belong to
};

} // namespace kav
