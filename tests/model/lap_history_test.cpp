// The lap history: checked against values read by hand from a recorded feed, and its rules and bounds
// (the program test compares the whole history of another race with its dump).

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "lap_history.h"
#include "parsed_record.h"

using namespace kav;

namespace {

const std::string kFeeds = std::string(KAV_TEST_DATA) + "/feeds/";

TimeValue t(const char* text)
{
    return textToTime(text);
}

LapFlag flagOf(std::string text)
{
    text = text.substr(0, text.find(' '));
    if (text == "Green")
        return LapFlag::Green;
    if (text == "Yellow")
        return LapFlag::Yellow;
    if (text == "Red")
        return LapFlag::Red;
    return text == "Finish" ? LapFlag::Finish : LapFlag::None;
}

// Feeds the passings, standings and new runs of a recorded feed, stopping before its run runs + 1.
void replay(LapHistory& history, const std::string& feed, int runs)
{
    std::ifstream in(kFeeds + feed);
    ASSERT_TRUE(in) << feed;
    LapFlag flag = LapFlag::None;
    int run = 0;
    for (std::string line; std::getline(in, line);) {
        const ParsedRecord record = parseRecord(line);
        if (!record.valid)
            continue;
        switch (record.kind()) {
        case kKindF: flag = flagOf(std::get<HeartbeatRecord>(record.data).Flag); break;
        case kKindG: history.takeStanding(std::get<RacePositionRecord>(record.data)); break;
        case kKindJ: history.addPassing(std::get<PassingRecord>(record.data), flag); break;
        case kKindI:
            if (++run > runs)
                return;
            history.clear();
            break;
        default: break;
        }
    }
}

struct FeedCase {
    const char* name;
    const char* feed;
    int runs;
    const char* regNo;
    std::vector<LapEntry> laps;
};

constexpr LapFlag G = LapFlag::Green, Y = LapFlag::Yellow, F = LapFlag::Finish;

const std::vector<FeedCase> kFeedCases = {
    {"leader of a lapped field",
     "lap_history.feed",
     1,
     "2001",
     {{1, t("00:01:30.1000"), t("00:01:30.1000"), 1, G},
      {2, t("00:01:29.9000"), t("00:03:00.0000"), 1, G},
      {3, t("00:01:30.0000"), t("00:04:30.0000"), 1, Y},
      {4, t("00:01:30.0500"), t("00:06:00.0500"), 1, G}}},
    {"car that pits, its passing sent twice",
     "lap_history.feed",
     1,
     "2002",
     {{1, t("00:01:31.0000"), t("00:01:31.0000"), 2, G},
      {2, t("00:01:30.5000"), t("00:03:01.5000"), 2, G},
      {3, t("00:03:20.0000"), t("00:06:21.5000"), 3, F}}},
    {"lapped car",
     "lap_history.feed",
     1,
     "2003",
     {{1, t("00:02:00.0000"), t("00:02:00.0000"), 3, G},
      {2, t("00:02:00.5000"), t("00:04:00.5000"), 3, Y},
      {3, t("00:01:59.5000"), t("00:06:00.0000"), 2, G}}},
    {"new run starts afresh", "lap_history.feed", 2, "2002", {{1, t("00:01:32.0000"), t("00:01:32.0000"), 1, G}}},
};

TEST(LapHistory, HoldsTheLapsReadByHandFromTheFeeds)
{
    for (const FeedCase& c : kFeedCases) {
        SCOPED_TRACE(c.name);
        LapHistory history;
        replay(history, c.feed, c.runs);
        const int car = history.findCar(c.regNo);
        ASSERT_GE(car, 0);
        EXPECT_EQ(history.car(car).laps, c.laps);
    }
}

TEST(LapHistory, GapsAreTakenToTheFirstCarToCompleteTheLap)
{
    LapHistory history;
    replay(history, "lap_history.feed", 1);
    EXPECT_EQ(history.leaderTime(3), t("00:04:30.0000"));
    const LapEntry& lapped = history.car(history.findCar("2003")).laps[2];
    EXPECT_EQ(history.gapToLeader(lapped), t("00:06:00.0000") - t("00:04:30.0000"));
    EXPECT_EQ(history.leaderTime(5), -1);
}

// Passings and standings of one car "7", given as text: "J<lap time>" ("J-": none) or
// "G<laps>/<total>/<position>".
struct RuleCase {
    const char* name;
    std::vector<std::string> steps;
    std::vector<LapEntry> laps;
};

const std::vector<RuleCase> kRuleCases = {
    {"no standing: the crossings are counted and their times added",
     {"J00:01:00.0000", "J00:01:02.0000"},
     {{1, t("00:01:00.0000"), t("00:01:00.0000"), 0, G}, {2, t("00:01:02.0000"), t("00:02:02.0000"), 0, G}}},
    {"a car seen first in mid-race counts on from its standing",
     {"G7/00:10:00.0000/4", "J00:01:00.0000"},
     {{8, t("00:01:00.0000"), t("00:11:00.0000"), 4, G}}},
    {"a standing that counts no new lap gives only the place",
     {"J00:01:00.0000", "G1/00:01:00.0000/2", "J00:01:05.0000", "G1/00:01:00.0000/3"},
     {{1, t("00:01:00.0000"), t("00:01:00.0000"), 2, G}, {2, t("00:01:05.0000"), t("00:02:05.0000"), 3, G}}},
    {"the standing's lap count wins over the counted one",
     {"J00:01:00.0000", "G5/00:07:00.0000/1"},
     {{5, t("00:01:00.0000"), t("00:07:00.0000"), 1, G}}},
    {"a later standing leaves a completed lap alone",
     {"J00:01:00.0000", "G1/00:01:00.0000/2", "G1/00:01:00.0000/5"},
     {{1, t("00:01:00.0000"), t("00:01:00.0000"), 2, G}}},
    {"a passing without a lap time keeps the total", {"J-"}, {{1, kEmptyLapTime, 0, 0, G}}},
    {"a garbled lap count at the top of its range stays there",
     {"G2147483647/00:01:00.0000/1", "J00:01:00.0000"},
     {{2147483647, t("00:01:00.0000"), t("00:02:00.0000"), 1, G}}},
};

TEST(LapHistory, FollowsTheRulesOfPassingsAndStandings)
{
    for (const RuleCase& c : kRuleCases) {
        SCOPED_TRACE(c.name);
        LapHistory history;
        TimeValue clock = 0;
        for (const std::string& step : c.steps) {
            if (step[0] == 'J') {
                const TimeValue lap = step == "J-" ? kEmptyLapTime : t(step.c_str() + 1);
                history.addPassing({"7", lap, ++clock}, LapFlag::Green);
                continue;
            }
            const std::size_t slash = step.find('/');
            history.takeStanding({static_cast<std::uint16_t>(std::stoi(step.substr(step.rfind('/') + 1))), "7",
                                  std::stoi(step.substr(1, slash - 1)), t(step.substr(slash + 1, 13).c_str())});
        }
        ASSERT_EQ(history.carCount(), 1);
        EXPECT_EQ(history.car(0).laps, c.laps);
    }
}

} // namespace
