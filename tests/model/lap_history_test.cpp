// The lap history: values read by hand from a recorded feed, agreement with the timing system's own
// count at the end of recorded and simulated races with the habits of real feeds, and its rules.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "lap_history.h"
#include "parsed_record.h"
#include "race_session.h"

using namespace kav;

namespace {

const std::string kFeeds = std::string(KAV_TEST_DATA) + "/feeds/";

TimeValue t(const std::string& text)
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

std::vector<std::string> feedLines(const std::string& feed)
{
    std::ifstream in(kFeeds + feed);
    EXPECT_TRUE(in) << feed;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> simulatedLines(const SimOptions& options)
{
    std::vector<std::string> lines;
    for (const SimLine& line : simulateSession(options))
        lines.push_back(line.text);
    return lines;
}

// Feeds the records the lap history takes, stopping before the run runs + 1; keeps the last standing
// of each car of the run.
struct Replay {
    LapHistory history;
    std::map<std::string, RacePositionRecord> lastStandings;

    void run(const std::vector<std::string>& lines, int runs = 1)
    {
        LapFlag flag = LapFlag::None;
        int newRuns = 0;
        RunRecord lastRun;
        for (const std::string& line : lines) {
            const ParsedRecord record = parseRecord(line);
            if (!record.valid)
                continue;
            const RecordData& data = record.data;
            if (const auto* heartbeat = std::get_if<HeartbeatRecord>(&data))
                flag = flagOf(heartbeat->Flag);
            else if (const auto* standing = std::get_if<RacePositionRecord>(&data))
                history.takeStanding(lastStandings[standing->RegNo] = *standing);
            else if (const auto* passing = std::get_if<PassingRecord>(&data))
                history.addPassing(*passing, flag);
            else if (std::holds_alternative<RunStartRecord>(data) && ++newRuns <= runs)
                history.awaitRun();
            else if (const auto* run = std::get_if<RunRecord>(&data)) {
                if (!(*run == lastRun))
                    lastStandings.clear();
                lastRun = *run;
                history.takeRun(run->Word1, run->Description);
            }
            if (newRuns > runs)
                return;
        }
    }
};

struct FeedCase {
    const char* name;
    const char* feed;
    int runs;
    const char* regNo;
    std::vector<LapEntry> laps;
};

constexpr LapFlag N = LapFlag::None, G = LapFlag::Green, Y = LapFlag::Yellow, F = LapFlag::Finish;

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
        Replay replay;
        replay.run(feedLines(c.feed), c.runs);
        const int car = replay.history.findCar(c.regNo);
        ASSERT_GE(car, 0);
        EXPECT_EQ(replay.history.car(car).laps, c.laps);
    }
}

TEST(LapHistory, GapsAreTakenToTheFirstCarToCompleteTheLap)
{
    Replay replay;
    replay.run(feedLines("lap_history.feed"));
    const LapHistory& history = replay.history;
    EXPECT_EQ(history.leaderTime(3), t("00:04:30.0000"));
    const LapEntry& lapped = history.car(history.findCar("2003")).laps[2];
    EXPECT_EQ(history.gapToLeader(lapped), t("00:06:00.0000") - t("00:04:30.0000"));
    EXPECT_EQ(history.leaderTime(5), -1);
}

SimOptions sim(int cars, int laps, bool formation = false, bool corrections = false, bool penalties = false,
               bool reconnect = false)
{
    SimOptions options;
    options.cars = cars;
    options.laps = laps;
    options.seed = static_cast<std::uint64_t>(cars * 1000 + laps);
    options.formation = formation;
    options.corrections = corrections;
    options.penalties = penalties;
    options.reconnect = reconnect;
    return options;
}

// The simulated race with a new run announced in the middle, followed by the same run.
std::vector<std::string> withRunAnnouncedAgain(std::vector<std::string> lines)
{
    const std::size_t middle = lines.size() / 2;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(middle),
                 {"$I,\"14:20:00.000\",\"01 Jun\"", "$I,\"14:20:00.000\",\"01 Jun\"", lines[1]});
    return lines;
}

struct AgreementCase {
    const char* name;
    std::vector<std::string> lines;
    bool everyLap; // no lap was lost on the way: the history holds laps 1, 2, 3, ...
};

// At the end of a session every car's history ends with the lap count and total time of its last
// standing, and its laps go up one by one with totals that are the sums of the lap times.
TEST(LapHistory, AgreesWithTheTimingSystemsOwnCountAtTheEnd)
{
    const std::vector<AgreementCase> cases = {
        {"recorded race with its state sent again", feedLines("race6.feed"), true},
        {"recorded lapped field", feedLines("lap_history.feed"), true},
        {"recorded race with a retired car and one that never started", feedLines("report_marks.feed"), true},
        {"simulated race, state sent again every 50 s", simulatedLines(sim(16, 20)), true},
        {"crossings before the start", simulatedLines(sim(12, 8, true)), true},
        {"corrected passings", simulatedLines(sim(20, 30, false, true)), true},
        {"a penalty", simulatedLines(sim(12, 10, false, false, true)), true},
        {"a reconnect in mid-race", simulatedLines(sim(14, 25, false, false, false, true)), false},
        {"new run announced in mid-race, the same run following", withRunAnnouncedAgain(simulatedLines(sim(10, 12))),
         true},
        {"all of them in a long lapped race", simulatedLines(sim(30, 60, true, true, true, true)), false},
    };
    for (const AgreementCase& c : cases) {
        SCOPED_TRACE(c.name);
        Replay replay;
        replay.run(c.lines, 99);
        const LapHistory& history = replay.history;
        ASSERT_FALSE(replay.lastStandings.empty());
        for (const auto& [regNo, standing] : replay.lastStandings) {
            SCOPED_TRACE(regNo);
            const int car = history.findCar(regNo);
            const std::vector<LapEntry> none;
            const std::vector<LapEntry>& laps = car < 0 ? none : history.car(car).laps;
            EXPECT_EQ(laps.empty() ? 0 : laps.back().lap, standing.Laps);
            if (laps.empty() || laps.back().lap != standing.Laps)
                continue;
            EXPECT_EQ(laps.back().totalTime, standing.TotalTime);
            if (c.everyLap) {
                EXPECT_EQ(laps.front().lap, 1);
            }
            for (std::size_t k = 1; k < laps.size(); ++k) {
                EXPECT_EQ(laps[k].lap - laps[k - 1].lap, c.everyLap ? 1 : std::max(laps[k].lap - laps[k - 1].lap, 1));
                // A penalty comes without a passing: that one lap's total grows by more than its lap time.
                const TimeValue more = laps[k].totalTime - laps[k - 1].totalTime - laps[k].lapTime;
                if (c.everyLap) {
                    EXPECT_TRUE(more == 0 || more == t("00:00:10.0000")) << "lap " << laps[k].lap << ": " << more;
                }
            }
        }
    }
}

// Passings and standings of one car "7", given as text: "J<lap time>" (a passing a lap time after the
// last one; "J-": without a lap time), "J=" (the last passing sent again), "C<lap time>" (the last
// passing corrected), "G<laps>/<total>/<position>", "I" (a new run announced), "B<number>/<name>".
struct RuleCase {
    const char* name;
    std::vector<std::string> steps;
    std::vector<LapEntry> laps;
};

const TimeValue kMinute = t("00:01:00.0000"), kNone = kEmptyLapTime;

const std::vector<RuleCase> kRuleCases = {
    {"no standings: the passings are counted and their times added",
     {"J00:01:00.0000", "J00:01:02.0000", "J="},
     {{1, kMinute, kMinute, 0, G}, {2, t("00:01:02.0000"), t("00:02:02.0000"), 0, G}}},
    {"no standings: a corrected passing replaces its lap",
     {"J00:01:00.0000", "J00:01:02.0000", "C00:01:01.5000"},
     {{1, kMinute, kMinute, 0, G}, {2, t("00:01:01.5000"), t("00:02:01.5000"), 0, G}}},
    {"no standings: a passing without a lap time keeps the total", {"J-"}, {{1, kNone, 0, 0, G}}},
    {"the standing gives the lap and total",
     {"G0/00:00:00.0000/3", "J00:01:00.0000", "G1/00:01:00.0000/2", "G1/00:01:00.0000/3", "J00:01:05.0000",
      "G2/00:02:05.0000/1"},
     {{1, kMinute, kMinute, 2, G}, {2, t("00:01:05.0000"), t("00:02:05.0000"), 1, G}}},
    {"a car first seen in mid-race starts at its standing's lap",
     {"G7/00:10:00.0000/4", "J00:01:00.0000", "G8/00:11:00.0000/3"},
     {{7, kNone, t("00:10:00.0000"), 4, N}, {8, kMinute, t("00:11:00.0000"), 3, G}}},
    {"a passing sent again on connect before the standings is the standing's lap",
     {"J00:01:00.0000", "G7/00:10:00.0000/4"},
     {{7, kMinute, t("00:10:00.0000"), 4, G}}},
    {"crossings before the start and after the finish count nothing",
     {"G0/00:00:00.0000/1", "J-", "J00:02:00.0000", "G0/00:00:00.0000/1", "J00:01:00.0000", "G1/00:01:00.0000/1",
      "J00:01:30.0000", "G1/00:01:00.0000/1"},
     {{1, kMinute, kMinute, 1, G}}},
    {"a corrected passing replaces its lap",
     {"J00:01:00.0000", "G1/00:01:00.0000/1", "J00:01:02.0000", "G2/00:02:02.0000/2", "C00:01:01.5000",
      "G2/00:02:01.5000/1"},
     {{1, kMinute, kMinute, 1, G}, {2, t("00:01:01.5000"), t("00:02:01.5000"), 1, G}}},
    {"a penalty moves the last total",
     {"J00:01:00.0000", "G1/00:01:00.0000/1", "G1/00:01:10.0000/2"},
     {{1, kMinute, t("00:01:10.0000"), 2, G}}},
    {"laps the timing system takes back go, a standing without laps takes none",
     {"J00:01:00.0000", "G1/00:01:00.0000/1", "J00:01:00.0000", "G2/00:02:00.0000/1", "G1/00:01:00.0000/1",
      "G0/00:00:00.0000/1"},
     {{1, kMinute, kMinute, 1, G}}},
    {"a new run announced, the same run following, keeps the laps",
     {"B1/Race 1", "J00:01:00.0000", "G1/00:01:00.0000/1", "I", "I", "B1/Race 1", "J00:01:00.0000",
      "G2/00:02:00.0000/1"},
     {{1, kMinute, kMinute, 1, G}, {2, kMinute, t("00:02:00.0000"), 1, G}}},
    {"a new run of another number starts afresh",
     {"B1/Race 1", "J00:01:00.0000", "G1/00:01:00.0000/1", "I", "B2/Race 1", "J00:01:05.0000", "G1/00:01:05.0000/1"},
     {{1, t("00:01:05.0000"), t("00:01:05.0000"), 1, G}}},
    {"a new run of another name starts afresh",
     {"B1/Race 1", "J00:01:00.0000", "G1/00:01:00.0000/1", "I", "B1/Race 2", "J00:01:05.0000", "G1/00:01:05.0000/1"},
     {{1, t("00:01:05.0000"), t("00:01:05.0000"), 1, G}}},
    {"a new run that goes on without a name starts afresh",
     {"B1/Race 1", "J00:01:00.0000", "G1/00:01:00.0000/1", "I", "J00:01:05.0000", "G1/00:01:05.0000/1"},
     {{1, t("00:01:05.0000"), t("00:01:05.0000"), 1, G}}},
};

TEST(LapHistory, FollowsTheRulesOfPassingsStandingsAndRuns)
{
    for (const RuleCase& c : kRuleCases) {
        SCOPED_TRACE(c.name);
        LapHistory history;
        PassingRecord last{"7", kNone, t("14:00:00.0000")};
        for (const std::string& step : c.steps) {
            const std::string value = step.substr(1);
            const std::size_t slash = value.find('/');
            switch (step[0]) {
            case 'J':
                if (value != "=") {
                    last.LapTime = value == "-" ? kNone : t(value);
                    last.Time3 += value == "-" ? kMinute : last.LapTime;
                }
                history.addPassing(last, LapFlag::Green);
                break;
            case 'C':
                last.Time3 += t(value) - last.LapTime;
                last.LapTime = t(value);
                history.addPassing(last, LapFlag::Green);
                break;
            case 'G':
                history.takeStanding({static_cast<std::uint16_t>(std::stoi(value.substr(value.rfind('/') + 1))), "7",
                                      std::stoi(value.substr(0, slash)), t(value.substr(slash + 1, 13))});
                break;
            case 'I': history.awaitRun(); break;
            case 'B': history.takeRun(static_cast<std::uint16_t>(std::stoi(value)), value.substr(slash + 1)); break;
            }
        }
        ASSERT_EQ(history.carCount(), 1);
        EXPECT_EQ(history.car(0).laps, c.laps);
    }
}

} // namespace
