// The lap history: values read by hand from a recorded feed, agreement with the timing system's own
// count at the end of recorded and simulated races with the habits of real feeds, and its rules.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
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

LapFlag flagOf(const std::string& text)
{
    static const std::map<std::string, LapFlag> kFlags = {
        {"Green", LapFlag::Green}, {"Yellow", LapFlag::Yellow}, {"Red", LapFlag::Red}, {"Finish", LapFlag::Finish}};
    const auto found = kFlags.find(text.substr(0, text.find(' ')));
    return found == kFlags.end() ? LapFlag::None : found->second;
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

// A case of a file in tests/data in three lines: its name, what it is given, and the laps the history
// then holds (lap, lap time or - for none, total, position, flag), apart by ';'.
struct LapsCase {
    std::string name, given;
    std::vector<LapEntry> laps;
};

std::vector<std::string> split(const std::string& text)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ';');)
        parts.push_back(part.substr(part.find_first_not_of(' ')));
    return parts;
}

std::vector<LapsCase> readCases(const std::string& file)
{
    const std::vector<std::string> lines = feedLines("../" + file);
    std::vector<LapsCase> cases;
    for (std::size_t k = 0; k + 2 < lines.size(); ++k) {
        if (lines[k].empty() || lines[k][0] == '#' || lines[k][0] == ' ')
            continue;
        LapsCase& c = cases.emplace_back(LapsCase{lines[k], lines[k + 1].substr(2), {}});
        for (const std::string& lap : split(lines[k + 2])) {
            std::istringstream in(lap);
            std::string time, total, flag;
            int number = 0, position = 0;
            in >> number >> time >> total >> position >> flag;
            c.laps.push_back({number, time == "-" ? kEmptyLapTime : t(time), t(total),
                              static_cast<std::uint16_t>(position), flagOf(flag)});
        }
    }
    return cases;
}

TEST(LapHistory, HoldsTheLapsReadByHandFromTheFeeds)
{
    const std::vector<LapsCase> cases = readCases("lap_history_by_hand.txt");
    ASSERT_EQ(cases.size(), 4u);
    for (const LapsCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream given(c.given);
        std::string feed, regNo;
        int runs = 0;
        given >> feed >> runs >> regNo;
        Replay replay;
        replay.run(feedLines(feed), runs);
        const int car = replay.history.findCar(regNo);
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
    // clang-format off
    const std::vector<AgreementCase> cases = {
        {"recorded race with its state sent again", feedLines("race6.feed"), true},
        {"recorded lapped field", feedLines("lap_history.feed"), true},
        {"recorded race with a retired car and one that never started", feedLines("report_marks.feed"), true},
        {"simulated race, state sent again every 50 s", simulatedLines({.cars = 16, .laps = 20, .seed = 16020}), true},
        {"crossings before the start", simulatedLines({.cars = 12, .laps = 8, .seed = 12008, .formation = true}), true},
        {"corrected passings", simulatedLines({.cars = 20, .laps = 30, .seed = 20030, .corrections = true}), true},
        {"a penalty", simulatedLines({.cars = 12, .laps = 10, .seed = 12010, .penalties = true}), true},
        {"a reconnect in mid-race", simulatedLines({.cars = 14, .laps = 25, .seed = 14025, .reconnect = true}), false},
        {"new run announced in mid-race, the same run following",
         withRunAnnouncedAgain(simulatedLines({.cars = 10, .laps = 12, .seed = 10012})), true},
        {"all of them in a long lapped race", simulatedLines({.cars = 30, .laps = 60, .seed = 30060, .formation = true,
                                                              .corrections = true, .penalties = true, .reconnect = true}), false},
    };
    // clang-format on
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
            EXPECT_TRUE(!c.everyLap || laps.front().lap == 1) << laps.front().lap;
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
const TimeValue kMinute = t("00:01:00.0000"), kNone = kEmptyLapTime;

TEST(LapHistory, FollowsTheRulesOfPassingsStandingsAndRuns)
{
    const std::vector<LapsCase> cases = readCases("lap_history_rules.txt");
    ASSERT_EQ(cases.size(), 14u);
    for (const LapsCase& c : cases) {
        SCOPED_TRACE(c.name);
        LapHistory history;
        PassingRecord last{"7", kNone, t("14:00:00.0000")};
        for (const std::string& step : split(c.given)) {
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
