// Random operations on every list: after each step the search by registration number must give the
// first entry in list order that holds the key, as a walk of the list would.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "competitor_list.h"
#include "marker_list.h"
#include "passing_list.h"
#include "practice_result_list.h"
#include "race_result_list.h"
#include "track_result_list.h"

namespace kav {
namespace {

// Keys that collide, differ by a trailing space or case, are empty, or are cut to the same 8 characters.
const std::vector<std::string> kKeys = {"", "1", "1 ", "A", "a", "12345678", "123456789", "1234567890"};

template <typename List>
testing::AssertionResult searchMatchesAWalk(const List& list)
{
    for (const std::string& key : kKeys) {
        int walked = -1;
        typename List::Record rec;
        for (int i = 0; walked < 0 && list.byIndex(i, rec); ++i)
            walked = rec.RegNo == key.substr(0, 8) ? i : -1;
        if (list.findByRegNo(key) != walked)
            return testing::AssertionFailure()
                   << "FindByRegNo('" << key << "') " << list.findByRegNo(key) << ", the walk finds " << walked;
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult searchMatchesAWalk(const CompetitorList& list)
{
    for (const std::string& key : kKeys) {
        FullCompetitorRecord walked;
        for (int i = 0; i < list.count() && walked.RegNo.empty() && !key.empty(); ++i)
            walked = list.byIndex(i).RegNo == key.substr(0, 8) ? list.byIndex(i) : FullCompetitorRecord{};
        if (!(list.findByRegNo(key) == walked))
            return testing::AssertionFailure() << "FindByRegNo('" << key << "') differs from the walk";
    }
    return testing::AssertionSuccess();
}

class RegNoIndex : public testing::TestWithParam<unsigned> {};

TEST_P(RegNoIndex, StaysInStepWithTheListsThroughEveryOperation)
{
    std::mt19937 rng(GetParam());
    const auto between = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    RaceResultList race;
    TrackResultList track;
    PracticeResultList prac;
    PassingList passings;
    MarkerList markers;
    CompetitorList competitors;
    race.setLimit(12);
    track.setLimit(12);
    prac.setLimit(12);
    passings.setLimit(6);
    markers.setLimit(6);
    for (int step = 0; step < 3000; ++step) {
        const std::string& key = kKeys[static_cast<std::size_t>(between(0, int(kKeys.size()) - 1))];
        const auto position = static_cast<std::uint16_t>(between(0, 14));
        const TimeValue time = between(-2, 8) * 50000;
        const int op = between(0, 99);
        if (op < 30) {
            race.setFromG({position, key, between(0, 3), time});
            track.setFromG({position, key, between(0, 3), time});
            prac.setFromH({position, key, between(0, 1), time});
        } else if (op < 40) {
            race.append({0, key, 1, time, "", false});
            track.append({0, key, 1, time, "", false});
            passings.append({key, time, 1});
            markers.append({key, time, 1, 2, 3, 4});
        } else if (op < 50) {
            race.resetItem(between(-1, race.count()));
        } else if (op < 65) {
            track.setRefTime(time);
            track.sortTrackOrder();
        } else if (op < 80) {
            passings.setFromJ({key, time, 0});
            markers.setPassTime(key, time);
            markers.ensureMarker(kKeys[static_cast<std::size_t>(between(0, int(kKeys.size()) - 1))]);
        } else if (op < 96) {
            competitors.setUniqueRegNo(op % 2 == 0);
            competitors.addOrUpdate({key, std::to_string(step), 0, "", "", "", ""});
        } else {
            race.clear();
            track.clear();
            prac.clear();
            passings.clear();
            markers.clear();
            competitors.clear();
        }
        ASSERT_TRUE(searchMatchesAWalk(race)) << "race list, step " << step << ", operation " << op;
        ASSERT_TRUE(searchMatchesAWalk(track)) << "track list, step " << step << ", operation " << op;
        ASSERT_TRUE(searchMatchesAWalk(prac)) << "practice list, step " << step << ", operation " << op;
        ASSERT_TRUE(searchMatchesAWalk(passings)) << "passings, step " << step << ", operation " << op;
        ASSERT_TRUE(searchMatchesAWalk(markers)) << "markers, step " << step << ", operation " << op;
        ASSERT_TRUE(searchMatchesAWalk(competitors)) << "competitors, step " << step << ", operation " << op;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RegNoIndex, testing::Values(1u, 2u, 3u, 20240607u));

} // namespace
} // namespace kav
