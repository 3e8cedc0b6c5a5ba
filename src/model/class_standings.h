#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "gap_writer.h"

namespace kav {

// Class numbers run from 0 (no class given; such cars stand together as one class) to 255.
inline constexpr std::int32_t kClassNumbers = 256;

// A car of the overall standings as the class standings need it.
struct StandingEntry {
    std::int32_t classNo = 0;
    std::int32_t laps = 0;
    TimeValue totalTime = 0;
    bool operator==(const StandingEntry&) const = default;
};

// A car's place within its class and its distances to the cars around it.
struct ClassStanding {
    std::uint16_t classPosition = 0;
    // To the class's first car: the time behind it on the same lap, the laps behind it on fewer; the
    // first car shows its laps. A car's gap changes with its own standing and its leader's only, so
    // that the cells of a big field are not all written again on every standing.
    GapSource classGap;
    // To the car directly ahead overall and in the class: the time behind it on the same lap, the
    // laps behind it on fewer; the first car has none.
    GapSource interval;
    GapSource classInterval;
    bool operator==(const ClassStanding&) const = default;
};

// Works out the class standings car by car down the overall standings: each car's standing
// depends only on the cars ahead of it. One tally serves many passes: starting a pass costs only
// the classes the last one saw, not the whole class table.
class ClassTally {
public:
    void restart();
    // The standing of the next car of the overall standings, in row row.
    ClassStanding next(const StandingEntry& car, int row = -1);
    // The same when the standing is not needed, only what the cars behind will stand against.
    void pass(const StandingEntry& car, int row);

    // For a pass that starts part-way down: whether classNo is known yet in this pass, and to make
    // it known with its cars above the start (cars 0: none; else its leader and its last car).
    bool knows(std::int32_t classNo) const { return m_classes[indexOf(classNo)].known; }
    void seed(std::int32_t classNo, std::uint16_t cars, const StandingEntry& leader, int leaderRow,
              const StandingEntry& last);
    void seedAhead(const StandingEntry& car);
    // The row of classNo's leader so far, -1 for none.
    int leaderRow(std::int32_t classNo) const;
    // Whether the cars still to come stand in classNo (-1: behind the car ahead overall) as they
    // would in other.
    bool sameAs(const ClassTally& other, std::int32_t classNo) const;

private:
    struct ClassSoFar {
        bool known = false;
        std::uint16_t cars = 0;
        StandingEntry first; // the class's leader
        int firstRow = -1;
        StandingEntry last; // the class's car ahead
    };
    static std::size_t indexOf(std::int32_t classNo);
    ClassSoFar& classOf(std::int32_t classNo);
    std::array<ClassSoFar, kClassNumbers> m_classes{};
    std::vector<std::uint8_t> m_seen; // the classes known in this pass
    StandingEntry m_ahead;            // the car ahead overall
    bool m_first = true;
};

// The class standings of the overall standings, entry for entry; entries are in overall order.
std::vector<ClassStanding> classStandings(const std::vector<StandingEntry>& overall);

// The class standings of a list of rows kept from one change of the list to the next. A row's
// standing depends only on the rows above it, so after a change of a few rows only the rows from
// the first of them on are worked out again, and only as far as a change can reach: past the last
// changed row, until the classes stand as they stood before.
class ClassStandingRows {
public:
    // The entry of a row, or nothing for an empty row.
    struct Row {
        bool filled = false;
        StandingEntry car;
    };

    // Works out every row; put(row index, car, standing) for each filled row.
    template <typename RowAt, typename Put>
    void refill(int count, const RowAt& rowAt, const Put& put)
    {
        m_rows.assign(std::size_t(count), {});
        m_tally.restart();
        for (int i = 0; i < count; ++i) {
            Kept& kept = m_rows[std::size_t(i)];
            kept.row = rowAt(i);
            if (kept.row.filled) {
                kept.standing = m_tally.next(kept.row.car, i);
                kept.leaderRow = m_tally.leaderRow(kept.row.car.classNo);
                put(i, kept.row.car, kept.standing);
            }
        }
    }

    // The same after a change of the rows first..last (indexes) only, and of the count only by rows
    // added empty at the end; put() for the rows whose standing may have changed.
    template <typename RowAt, typename Put>
    void update(int count, int first, int last, const RowAt& rowAt, const Put& put)
    {
        if (count < int(m_rows.size()) || first < 0 || first > last || first >= count) {
            refill(count, rowAt, put);
            return;
        }
        m_rows.resize(std::size_t(count));
        startAt(first);
        m_unsettled.fill(false);
        m_unsettledCount = 0;
        for (int i = first; i < count; ++i) {
            if (i > last && m_unsettledCount == 0)
                break;
            Kept& kept = m_rows[std::size_t(i)];
            const Row before = kept.row;
            if (i <= last)
                kept.row = rowAt(i);
            if (before.filled) {
                know(before.car.classNo, first);
                m_before.pass(before.car, i);
            }
            if (kept.row.filled) {
                know(kept.row.car.classNo, first);
                const ClassStanding standing = m_tally.next(kept.row.car, i);
                kept.leaderRow = m_tally.leaderRow(kept.row.car.classNo);
                if (!before.filled || !(standing == kept.standing) || !(before.car == kept.row.car)) {
                    kept.standing = standing;
                    put(i, kept.row.car, standing);
                }
            }
            settle(before, kept.row);
        }
    }

private:
    struct Kept {
        Row row;
        ClassStanding standing;
        int leaderRow = -1;
    };
    // Both tallies as they stand above row first.
    void startAt(int first);
    // Makes classNo known to both tallies as it stands above row first.
    void know(std::int32_t classNo, int first);
    // Notes whether the classes of a row as it was and as it is (and the car ahead) now stand as before.
    void settle(const Row& before, const Row& now);
    void settleOne(std::int32_t classNo);

    std::vector<Kept> m_rows;
    ClassTally m_tally;
    ClassTally m_before; // the same rows as they were before the change
    // The classes (and, last, the car ahead) that may stand otherwise now than before.
    std::array<bool, kClassNumbers + 1> m_unsettled{};
    int m_unsettledCount = 0;
};

} // namespace kav
