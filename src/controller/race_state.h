#pragma once

#include <cstdint>
#include <string>

#include "class_table.h"
#include "comp_list.h"
#include "lap_history.h"
#include "marker_list.h"
#include "passing_list.h"
#include "prac_res_list.h"
#include "race_res_list.h"
#include "track_res_list.h"

namespace kav {

// A model list whose entries can be read in place: the controller reads every row on each refill
// and every gap cell on each $G, where a copy per entry would cost more than the rest of the work.
template <typename List>
class TReadableList : public List {
public:
    const typename List::Record& At(int index) const { return this->SlotAt(index).Data(); }
};

using TCurrentRaceList = TReadableList<TRaceResList>;
using TCurrentTrackList = TReadableList<TTrackResList>;
using TReadablePracList = TReadableList<TPracResList>;
using TReadablePassingList = TReadableList<TPassingList>;
using TReadableMarkerList = TReadableList<TMarkerList>;

// Marker status codes: each picks the picture of a competitor's marker cell.
enum TMarkerCode : std::uint8_t {
    kWhiteFlag = 0,
    kGreyFlag = 1,
    kBlackFlag = 2,
    kChequeredFlag = 3,
    kGreenBall = 4,
    kRedCross = 6,
    kGreenArrow = 255,
};

enum TFlagCode : std::uint8_t { kFlagRed = 1, kFlagYellow = 2, kFlagGreen = 3 };

// The race data of the run and the controller's state around it. Lives on the GUI thread only.
class TRaceState {
public:
    static constexpr int kListLimit = 1000;
    static constexpr int kInitialRows = 80;
    static constexpr int kMaxRows = 1000;

    TRaceState();

    TCompList CompList;
    TCurrentRaceList CurrentRaceList;
    TCurrentRaceList LapRaceList;
    TReadablePracList PracList;
    TCurrentTrackList CurrentTrackList;
    TCurrentTrackList LapTrackList;
    TReadablePassingList CurrentPassingList;
    TReadablePassingList LapPassingList;
    TReadableMarkerList MarkerList;
    TClassTable ClassTable;

    int RowCount = kInitialRows;
    bool RaceFinished = false;
    std::uint8_t FlagState = kFlagGreen;
    std::uint8_t PrevFlagState = kFlagGreen;
    bool FlagWindowShown = false;
    bool StandByShown = false;
    bool BusyLit = false;
    std::int32_t ErrorCount = 0;
    std::string RunName;

    // The row count that fits position, or 0 when the rows need not grow.
    int RowsFor(int position) const;
    // Empties every list of the run (not the class table).
    void ClearRun();

    // Every crossing of the line of the run, for the race charts and the race report.
    LapHistory& lapHistory() { return m_lapHistory; }
    const LapHistory& lapHistory() const { return m_lapHistory; }
    // A passing into the lap history with the flag shown at this moment.
    void recordPassing(const TJRec& passing);

private:
    LapHistory m_lapHistory;
};

} // namespace kav
