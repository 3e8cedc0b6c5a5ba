#include "class_standings.h"

#include <algorithm>

namespace kav {
namespace {

// The distance from the car ahead to the car behind.
GapSource intervalTo(const StandingEntry& ahead, const StandingEntry& behind)
{
    if (behind.laps < ahead.laps)
        return GapSource::lapsBehind(ahead.laps - behind.laps);
    if (ahead.totalTime <= 0 || behind.totalTime <= 0)
        return GapSource::noTime();
    return GapSource::time(std::int64_t{behind.totalTime} - ahead.totalTime);
}

} // namespace

void ClassTally::restart()
{
    for (const std::uint8_t classNo : m_seen)
        m_classes[classNo] = {};
    m_seen.clear();
    m_first = true;
}

std::size_t ClassTally::indexOf(std::int32_t classNo)
{
    return std::size_t(std::clamp<std::int32_t>(classNo, 0, kClassNumbers - 1));
}

ClassTally::ClassSoFar& ClassTally::classOf(std::int32_t classNo)
{
    ClassSoFar& soFar = m_classes[indexOf(classNo)];
    if (!soFar.known) {
        soFar.known = true;
        m_seen.push_back(std::uint8_t(indexOf(classNo)));
    }
    return soFar;
}

ClassStanding ClassTally::next(const StandingEntry& car, int row)
{
    ClassSoFar& soFar = classOf(car.classNo);
    ClassStanding standing;
    standing.interval = m_first ? GapSource::blank() : intervalTo(m_ahead, car);
    if (soFar.cars == 0) {
        soFar.first = car;
        soFar.firstRow = row;
        standing.classGap = GapSource::lapCount(car.laps);
        standing.classInterval = GapSource::blank();
    } else {
        standing.classGap = intervalTo(soFar.first, car);
        standing.classInterval = intervalTo(soFar.last, car);
    }
    standing.classPosition = ++soFar.cars;
    soFar.last = car;
    m_ahead = car;
    m_first = false;
    return standing;
}

void ClassTally::pass(const StandingEntry& car, int row)
{
    ClassSoFar& soFar = classOf(car.classNo);
    if (soFar.cars == 0) {
        soFar.first = car;
        soFar.firstRow = row;
    }
    ++soFar.cars;
    soFar.last = car;
    m_ahead = car;
    m_first = false;
}

void ClassTally::seed(std::int32_t classNo, std::uint16_t cars, const StandingEntry& leader, int leaderRow,
                      const StandingEntry& last)
{
    ClassSoFar& soFar = classOf(classNo);
    soFar.cars = cars;
    soFar.first = leader;
    soFar.firstRow = leaderRow;
    soFar.last = last;
}

void ClassTally::seedAhead(const StandingEntry& car)
{
    m_ahead = car;
    m_first = false;
}

int ClassTally::leaderRow(std::int32_t classNo) const
{
    const ClassSoFar& soFar = m_classes[indexOf(classNo)];
    return soFar.cars == 0 ? -1 : soFar.firstRow;
}

bool ClassTally::sameAs(const ClassTally& other, std::int32_t classNo) const
{
    if (classNo < 0)
        return m_first == other.m_first && (m_first || m_ahead == other.m_ahead);
    const ClassSoFar& mine = m_classes[indexOf(classNo)];
    const ClassSoFar& theirs = other.m_classes[indexOf(classNo)];
    if (mine.cars != theirs.cars)
        return false;
    return mine.cars == 0 ||
           (mine.first == theirs.first && mine.firstRow == theirs.firstRow && mine.last == theirs.last);
}

std::vector<ClassStanding> classStandings(const std::vector<StandingEntry>& overall)
{
    ClassTally tally;
    std::vector<ClassStanding> standings;
    standings.reserve(overall.size());
    for (const StandingEntry& car : overall)
        standings.push_back(tally.next(car));
    return standings;
}

void ClassStandingRows::startAt(int first)
{
    m_tally.restart();
    m_before.restart();
    for (int j = first - 1; j >= 0; --j) {
        if (m_rows[std::size_t(j)].row.filled) {
            m_tally.seedAhead(m_rows[std::size_t(j)].row.car);
            m_before.seedAhead(m_rows[std::size_t(j)].row.car);
            return;
        }
    }
}

// A class's state above the start is that of its nearest row above: its class position counts the
// class's cars, and it knows the row of the class's leader.
void ClassStandingRows::know(std::int32_t classNo, int first)
{
    if (m_tally.knows(classNo))
        return;
    const auto index = std::clamp<std::int32_t>(classNo, 0, kClassNumbers - 1);
    for (int j = first - 1; j >= 0; --j) {
        const Kept& above = m_rows[std::size_t(j)];
        if (!above.row.filled || std::clamp<std::int32_t>(above.row.car.classNo, 0, kClassNumbers - 1) != index)
            continue;
        const StandingEntry& leader = m_rows[std::size_t(above.leaderRow)].row.car;
        m_tally.seed(classNo, above.standing.classPosition, leader, above.leaderRow, above.row.car);
        m_before.seed(classNo, above.standing.classPosition, leader, above.leaderRow, above.row.car);
        return;
    }
    m_tally.seed(classNo, 0, {}, -1, {});
    m_before.seed(classNo, 0, {}, -1, {});
}

// Only the classes of the row just worked out can have changed how they stand, and the car ahead.
void ClassStandingRows::settle(const Row& before, const Row& now)
{
    settleOne(-1);
    if (before.filled)
        settleOne(before.car.classNo);
    if (now.filled && !(before.filled && before.car.classNo == now.car.classNo))
        settleOne(now.car.classNo);
}

void ClassStandingRows::settleOne(std::int32_t classNo)
{
    const std::size_t slot =
        classNo < 0 ? kClassNumbers : std::size_t(std::clamp<std::int32_t>(classNo, 0, kClassNumbers - 1));
    const bool unsettled = !m_tally.sameAs(m_before, classNo);
    m_unsettledCount += int(unsettled) - int(m_unsettled[slot]);
    m_unsettled[slot] = unsettled;
}

} // namespace kav
