#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "case_table.h"
#include "class_standings.h"
#include "practice_result_list.h"
#include "race_result_list.h"
#include "track_result_list.h"

namespace kav {
namespace {

constexpr TimeValue secondsToTime(double s)
{
    return static_cast<TimeValue>(s * kTicksPerSecond + 0.5);
}

// One field of every entry, in list order.
template <typename List, typename Field>
std::vector<Field> column(const List& list, Field List::Record::*field)
{
    std::vector<Field> values;
    typename List::Record rec;
    for (int i = 0; list.byIndex(i, rec); ++i)
        values.push_back(rec.*field);
    return values;
}

using Texts = std::vector<std::string>;
using Flags = std::vector<bool>;
constexpr auto kGap = &RaceResultRecord::Gap;
constexpr auto kChanged = &RaceResultRecord::Changed;
constexpr auto kRegNo = &RaceResultRecord::RegNo;

template <typename List>
List listOf(const std::vector<std::pair<int, double>>& lapsAndTimes)
{
    List list;
    std::uint16_t position = 0;
    for (const auto& [laps, seconds] : lapsAndTimes) {
        ++position;
        list.setFromG({position, std::string("C").append(std::to_string(position)), laps, secondsToTime(seconds)});
    }
    return list;
}

TEST(RaceGaps, LapGroupsShowTheirLapsAndTimesBehindTheirFirstCar)
{
    auto list = listOf<RaceResultList>({{10, 100.0}, {10, 101.5}, {9, 99.0}, {9, 105.25}});
    list.computeGaps();
    EXPECT_EQ(column(list, kGap), (Texts{">> 10 <<", "    1.500", ">> 9 <<", "    6.250"}));
    EXPECT_EQ(column(list, kChanged), (Flags{true, true, true, true}));
    list.computeGaps();
    EXPECT_EQ(column(list, kChanged), (Flags{false, false, false, false}));
    // A new time for the first car of a group moves the gaps behind it; the fourth decimal is cut.
    list.setFromG({3, "C3", 9, secondsToTime(100.0)});
    list.setFromG({2, "C2", 10, secondsToTime(100.0) + 12 * kTicksPerMinute + 34567});
    list.computeGaps();
    EXPECT_EQ(column(list, kGap), (Texts{">> 10 <<", "12:03.456", ">> 9 <<", "    5.250"}));
    EXPECT_EQ(column(list, kChanged), (Flags{false, true, true, true}));
}

TEST(RaceGaps, WithoutALeaderTimeTheGroupKeepsItsTexts)
{
    auto list = listOf<RaceResultList>({{10, 100.0}, {10, 101.5}, {10, 103.0}});
    list.computeGaps();
    list.setFromG({1, "C1", 10, 0});
    list.setFromG({3, "C3", 10, secondsToTime(104.0)});
    list.computeGaps();
    EXPECT_EQ(column(list, kGap), (Texts{">> 10 <<", "    1.500", ""}));
    EXPECT_EQ(column(list, kChanged), (Flags{true, false, false}));
}

TEST(PracticeGaps, BestLapsBehindTheFastestAndNoTimeMarks)
{
    PracticeResultList list;
    list.setFromH({1, "5", 5, secondsToTime(62.0)});
    list.setFromH({2, "6", 0, 0});
    list.setFromH({3, "7", 7, secondsToTime(63.25)});
    list.computeGaps();
    EXPECT_EQ(column(list, &PracticeResultRecord::Gap), (Texts{"", "-----", "    1.250"}));
    // A faster time not yet reordered by the feed shows its difference without a sign.
    list.setFromH({2, "6", 3, secondsToTime(61.0)});
    list.setFromH({1, "5", 5, secondsToTime(60.0)});
    list.computeGaps();
    EXPECT_EQ(column(list, &PracticeResultRecord::Gap), (Texts{"", "    1.000", "    3.250"}));
    EXPECT_EQ(column(list, &PracticeResultRecord::Changed), (Flags{false, true, true}));
    PracticeResultList fillIn;
    fillIn.setFromH({2, "6", 4, secondsToTime(61.0)});
    fillIn.computeGaps();
    EXPECT_EQ(column(fillIn, &PracticeResultRecord::Gap), (Texts{"", " 1:01.000"}));
}

TEST(TrackGaps, AbsoluteTimeToTheCarAheadAndExtremesCannotOverflow)
{
    auto list = listOf<TrackResultList>({{3, 100.0}, {3, 101.0}, {3, 99.0}, {0, 97.0}});
    list.computeGaps();
    EXPECT_EQ(column(list, kGap), (Texts{"", "    1.000", "    2.000", "-----"}));
    TrackResultList track;
    track.setFromG({1, "a", 1, INT32_MIN});
    track.setFromG({2, "b", 1, INT32_MAX});
    track.computeGaps();
    EXPECT_EQ(column(track, kGap)[1], "59:59.999");
    PracticeResultList prac;
    prac.setFromH({1, "a", 1, INT32_MAX});
    prac.setFromH({2, "b", 1, INT32_MIN});
    prac.computeGaps();
    EXPECT_EQ(column(prac, &PracticeResultRecord::Gap)[1], "xx:xx.xxx");
}

// Cars at or after the reference first, earliest first, then the others, latest first; a second entry of
// a car is emptied in place and still takes part in its comparison.
TEST(TrackOrder, SortsAroundTheReferenceAndEmptiesASecondEntryOfACar)
{
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/model/track_order.txt")) {
        TrackResultList list;
        std::istringstream cars(row.at(1)), orderText(row.at(3)), positionsText(row.at(4));
        std::string regNo;
        std::uint16_t position = 0;
        for (double seconds = 0; cars >> regNo >> seconds;)
            list.setFromG({++position, regNo, 5, secondsToTime(seconds)});
        list.setRefTime(secondsToTime(std::stod(row.at(2))));
        list.sortTrackOrder();
        Texts order;
        for (std::string shown; orderText >> shown;)
            order.push_back(shown == "-" ? "" : shown);
        const std::vector<std::uint16_t> positions(std::istream_iterator<std::uint16_t>(positionsText), {});
        EXPECT_EQ(column(list, kRegNo), order) << row[0];
        EXPECT_EQ(column(list, &RaceResultRecord::Position), positions) << row[0];
        for (std::size_t i = 0; i < order.size(); ++i)
            EXPECT_EQ(list.findByRegNo(order[i]), std::find(order.begin(), order.end(), order[i]) - order.begin())
                << row[0] << ": " << order[i];
    }
}

// Two classes and a car without one, with lapped cars: the class standings of each row as texts.
TEST(ClassStandings, PositionsGapsAndIntervalsWithinTheClassAndOverall)
{
    const auto rows = readCaseTable(KAV_TEST_DATA "/model/class_standings.txt");
    std::vector<StandingEntry> overall;
    for (const auto& row : rows)
        overall.push_back({std::stoi(row.at(0)), std::stoi(row.at(1)), secondsToTime(std::stod(row.at(2)))});
    const std::vector<ClassStanding> standings = classStandings(overall);
    ASSERT_EQ(standings.size(), std::size(rows));
    GapWriter writer;
    const auto text = [&writer](const GapSource& source) {
        std::string shown;
        GapSource held;
        writer.write(shown, held, source);
        return shown.substr(std::min(shown.find_first_not_of(' '), shown.size())); // blanked zeros
    };
    for (std::size_t k = 0; k < standings.size(); ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_EQ(standings[k].classPosition, std::stoi(rows[k].at(3)));
        EXPECT_EQ(text(standings[k].interval), rows[k].at(4));
        EXPECT_EQ(text(standings[k].classInterval), rows[k].at(5));
        EXPECT_EQ(text(standings[k].classGap), rows[k].at(6));
    }
}

// Standings as the feed changes them, one or two rows at a time (a car placed over another, the row
// it left emptied, a crossing, the list growing): what the kept rows hand out must always be what a
// pass over the whole list gives, in every row, with leaders that overtake, classes that appear and
// rows that empty and fill again.
TEST(ClassStandings, KeptRowsAfterEachChangeAreThoseOfTheWholeList)
{
    std::mt19937 random(7);
    const auto pick = [&random](int below) { return int(random() % unsigned(below)); };
    std::vector<ClassStandingRows::Row> rows;
    std::vector<std::optional<ClassStanding>> shown;
    ClassStandingRows kept;
    const auto rowAt = [&rows](int i) { return rows[std::size_t(i)]; };
    const auto put = [&shown](int i, const StandingEntry&, const ClassStanding& standing) {
        shown[std::size_t(i)] = standing;
    };
    for (int step = 0; step < 4000; ++step) {
        SCOPED_TRACE(step);
        const int position = pick(int(rows.size()) + 2);
        if (position >= int(rows.size())) {
            rows.resize(std::size_t(position) + 1);
            shown.resize(rows.size());
        }
        // A new car, or (every third change) a car that moves, keeping or bettering its entry.
        ClassStandingRows::Row car{true, {pick(4), pick(3) * 5, pick(5) * 100}};
        int first = position;
        int last = position;
        if (const int left = pick(int(rows.size())); step % 3 == 0 && left != position) {
            if (rows[std::size_t(left)].filled && pick(2) == 0)
                car = rows[std::size_t(left)];
            else if (rows[std::size_t(left)].filled)
                car.car.classNo = rows[std::size_t(left)].car.classNo;
            rows[std::size_t(left)] = {};
            shown[std::size_t(left)].reset();
            first = std::min(first, left);
            last = std::max(last, left);
        }
        rows[std::size_t(position)] = pick(8) == 0 ? ClassStandingRows::Row{} : car;
        if (!rows[std::size_t(position)].filled)
            shown[std::size_t(position)].reset();
        if (step % 500 == 0)
            kept.refill(int(rows.size()), rowAt, put);
        else
            kept.update(int(rows.size()), first, last, rowAt, put);
        std::vector<StandingEntry> filled;
        for (const auto& row : rows) {
            if (row.filled)
                filled.push_back(row.car);
        }
        const std::vector<ClassStanding> whole = classStandings(filled);
        for (std::size_t i = 0, k = 0; i < rows.size(); ++i) {
            if (rows[i].filled) {
                ASSERT_EQ(shown[i], whole[k++]) << "row " << i;
            }
        }
    }
}

} // namespace
} // namespace kav
