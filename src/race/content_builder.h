#pragma once

#include <QString>

#include <array>
#include <vector>

#include <cstdint>
#include <string>
#include <string_view>

#include "class_standings.h"
#include "feed_time.h"
#include "follow_list.h"
#include "main_settings.h"
#include "race_state.h"
#include "result_columns.h"
#include "result_window_settings.h"
#include "results_models.h"

namespace kav {

// Turns the race data into the cells, markers and row colours of the results model of each window
// kind, whether or not a window shows it. Each cell is written once, into the model of its kind;
// the windows only show it. The choice of list, text forms and markers is made here. Rows count
// from 1, as the windows number them.
class ContentBuilder {
public:
    static constexpr std::uint8_t kColMarker = kMarkerColumn;
    static constexpr std::uint8_t kColGap = kDiffColumn;
    // The columns the program works out itself: the class standings and the pit state.
    static constexpr std::uint8_t kColClassPosition = kClassPositionColumn;
    static constexpr std::uint8_t kColClassGap = kClassGapColumn;
    static constexpr std::uint8_t kColInterval = 19;
    static constexpr std::uint8_t kColClassInterval = 20;
    static constexpr std::uint8_t kColInPit = 21;
    static constexpr std::uint8_t kColPitStops = 22;
    static constexpr std::uint8_t kColLastStop = 23;
    static constexpr std::uint8_t kColStintLaps = 24;
    static constexpr std::size_t kNameLength = 40;

    ContentBuilder(RaceState& state, ResultsModels& models, const MainSettings& settings, const FollowList& followed);

    void setCellText(std::uint8_t kind, std::uint8_t id, const QString& text, int row);
    // A marker status code; one that shows no picture clears the cell's marker.
    void setCellIcon(std::uint8_t kind, std::uint8_t id, std::uint8_t marker, int row);
    void setStatusIcon(std::uint8_t kind, std::string_view regNo, int row);
    void setRowColours(std::uint8_t kind, std::string_view regNo, int row);

    void fillLapRow(int row, const RaceResultRecord& entry, int mode);
    void fillRaceRow(int row, const RaceResultRecord& entry);
    void fillPracticeRow(int row, const PracticeResultRecord& entry);
    void fillTrackRow(int row, const TrackResultRecord& entry, int mode);
    QString speedText(TimeValue lapTime) const;

    void refillLap(const ReadableRaceList& list, int mode);
    void refillRace();
    void refillPractice();
    void refillTrack(const ReadableTrackList& list, int mode);
    void refillKind(std::uint8_t kind);
    void refillAll();

    void clearRow(std::uint8_t kind, int row);
    void resetKind(std::uint8_t kind);
    // Every model as made, with the state's rows, and nothing remembered of the rows shown: after the
    // race state itself was restarted.
    void restart();
    void setGapCells(std::uint8_t kind, const ReadableRaceList& list);
    void setGapCells(std::uint8_t kind, const ReadablePracticeList& list);

    // Raises the row count so that position fits, and gives every model that many rows.
    void growRows(int position);

    // The class standings cells of every row of a kind. The rows of the standing kinds are the
    // standings themselves; track positions take each car's places from the standings of their lap.
    // first..last (indexes): the only rows of standings changed since the kind's last class cells;
    // -1: not known.
    void putClassCells(std::uint8_t kind, const ReadableRaceList& standings, int first = -1, int last = -1);
    void putTrackClassCells(const ReadableTrackList& rows, const ReadableRaceList& standings);
    // changedIndex: the only row of the practice list changed since the last class cells; -1: not known.
    void putPracticeClassCells(int changedIndex = -1);
    // While held, the class cells of a few changed rows wait to be worked out once at the flush.
    void holdClassCells() { m_holdingClassCells = true; }
    void flushClassCells();
    // After a line crossing: the car's pit cells in every kind whose rows hold it.
    void showPitState(std::string_view regNo);
    void showAllPitStates();

private:
    void fillStandingRow(std::uint8_t kind, int row, const RaceResultRecord& entry, const ReadablePassingList& passings,
                         bool speedNeedsTwoLaps);
    void putText(std::uint8_t kind, std::uint8_t id, int row, std::string_view text);
    void putCompetitorCells(std::uint8_t kind, int row, std::string_view regNo);
    void putTime(std::uint8_t kind, std::uint8_t id, int row, TimeValue value, bool empty);
    void putLapTimeCells(std::uint8_t kind, int row, const PassingRecord* passing,
                         const PracticeResultRecord* practice);
    void putBestSpeed(std::uint8_t kind, int row, const PracticeResultRecord* practice);
    const PassingRecord* passingOf(const ReadablePassingList& list, std::string_view regNo) const;
    const PracticeResultRecord* practiceOf(std::string_view regNo) const;
    template <typename List>
    void putGaps(std::uint8_t kind, const List& list);
    void putClassRow(std::uint8_t kind, int row, std::string_view regNo, std::uint8_t classNo,
                     const ClassStanding& standing);
    // What the class and competitor cells of each row show, by kind: a standing that did not change,
    // and a car whose names did not, are not written again, which on every standing would cost more
    // than the rest of the row's work.
    struct ShownRow {
        std::string regNo;
        ClassStanding standing;
        std::uint8_t classNo = 0;               // the car's class as the competitor list gave it
        std::uint64_t classGeneration = 0;      // the list's generation then; 0: not known
        std::string competitor;                 // the car whose competitor cells the row shows
        std::uint64_t competitorGeneration = 0; // the competitor list's generation then; 0: none shown
        std::uint64_t classNamesGeneration = 0; // the class table's
    };
    std::vector<ShownRow>& shownRows(std::uint8_t kind);
    // The row's entry (rows count from 1), the kind's rows grown to hold it.
    ShownRow& shownRow(std::uint8_t kind, int row);
    // The class standings each kind shows and the list they were worked out from, so that a
    // standing of the same list works out only the rows it can change.
    struct KeptClassRows {
        ClassStandingRows rows;
        const void* list = nullptr;
        std::uint64_t classGeneration = 0;
    };
    std::array<KeptClassRows, 4> m_keptClassRows;
    // What waits for the flush, by kind: the list and the rows changed (first -1: nothing).
    struct HeldClassCells {
        const void* list = nullptr;
        int first = -1;
        int last = -1;
    };
    std::array<HeldClassCells, 4> m_heldClassCells;
    bool m_holdingClassCells = false;
    KeptClassRows& keptClassRows(std::uint8_t kind);
    HeldClassCells& heldClassCells(std::uint8_t kind);
    void putHeldClassCells(std::uint8_t kind);
    template <typename List>
    void putListClassCells(std::uint8_t kind, const List& list, int first = -1, int last = -1);
    template <typename List>
    void workOutClassCells(std::uint8_t kind, const List& list, int first, int last);
    std::array<std::vector<ShownRow>, 4> m_shownRows;
    ClassTally m_trackTally;
    // laps below 0: the car's laps are not known.
    void putPitCells(std::uint8_t kind, int row, std::string_view regNo, std::int32_t laps);

    RaceState& m_state;
    ResultsModels& m_models;
    const MainSettings& m_settings;
    const FollowList& m_followed;
    FeedTime m_time;
    GapWriter m_gaps;
};

} // namespace kav
