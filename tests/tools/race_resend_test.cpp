#include <gtest/gtest.h>

#include <map>
#include <set>

#include "race_session.h"
#include "sim_read_back.h"

namespace kav {
namespace {

using namespace sim_test;

bool IsStateKind(const std::string& text)
{
    for (const char* tag : {"$B,", "$C,", "$E,", "$A,", "$COMP,", "$G,", "$H,"}) {
        if (text.starts_with(tag))
            return true;
    }
    return false;
}

// The standings as a listener knows them from the $G and $H lines it has read.
struct TListenerView {
    std::map<int, TGRec> places;
    std::map<int, THRec> best;

    void Take(const std::string& text)
    {
        if (text.starts_with("$G,"))
            places[ReadG(text).Position] = ReadG(text);
        else if (text.starts_with("$H,"))
            best[ReadH(text).Position] = ReadH(text);
    }
};

template <typename Rec>
std::vector<Rec> InOrder(const std::map<int, Rec>& table)
{
    std::vector<Rec> rows;
    for (const auto& [position, rec] : table)
        rows.push_back(rec);
    return rows;
}

// One re-send of the whole state: its lines other than positions, and the positions it repeats.
struct TResend {
    std::vector<std::string> fixed;
    std::vector<TGRec> places;
    std::vector<THRec> best;
};

TResend TakeResend(const std::vector<TSimLine>& lines, std::size_t& i)
{
    TResend resend;
    const TimeValue at = lines[i].at;
    for (; i < lines.size() && lines[i].at == at && IsStateKind(lines[i].text); ++i) {
        const auto& text = lines[i].text;
        if (text.starts_with("$G,"))
            resend.places.push_back(ReadG(text));
        else if (text.starts_with("$H,"))
            resend.best.push_back(ReadH(text));
        else
            resend.fixed.push_back(text);
    }
    return resend;
}

// Every 50 s the timing computer sends its whole state again; a listener's picture of the standings must
// not change by it: each re-send repeats exactly the positions sent so far, and the same run, classes,
// track and competitors as at the start.
TEST(RaceResend, EveryFiftySecondsTheWholeStateComesAgainUnchanged)
{
    for (const bool practice : {false, true}) {
        SCOPED_TRACE(practice ? "practice" : "race");
        const int cars = 12;
        const auto lines = SimulateSession(Options(cars, 8, practice, 3));
        std::size_t i = 1; // the run's first state follows its $I
        const auto start = TakeResend(lines, i);
        TListenerView view;
        std::set<TimeValue> resentAt;
        for (i = 0; i < lines.size();) {
            if (i > 1 && lines[i].text.starts_with("$B,")) {
                const TimeValue at = lines[i].at;
                const auto resend = TakeResend(lines, i);
                EXPECT_EQ(at % TRaceSession::kResendEvery, 0);
                EXPECT_EQ(resend.fixed, start.fixed) << "at " << at;
                EXPECT_EQ(resend.places, InOrder(view.places)) << "at " << at;
                EXPECT_EQ(resend.best, InOrder(view.best)) << "at " << at;
                EXPECT_EQ(resend.places.size(), practice ? 0u : static_cast<std::size_t>(cars));
                resentAt.insert(at);
                continue;
            }
            view.Take(lines[i++].text);
        }
        EXPECT_EQ(resentAt.size(), static_cast<std::size_t>(lines.back().at / TRaceSession::kResendEvery));
        EXPECT_FALSE(view.best.empty());
    }
}

// The laps field of $G is empty (not 0) exactly while the car has not crossed the line, as on the grid.
TEST(RaceResend, CarsThatHaveNotCrossedTheLineHaveNoLapCount)
{
    const int cars = 10;
    std::set<std::string> crossed;
    int empty = 0;
    for (const auto& line : SimulateSession(Options(cars, 4, false, 2))) {
        if (line.text.starts_with("$J,"))
            crossed.insert(ReadJ(line.text).RegNo);
        if (!line.text.starts_with("$G,"))
            continue;
        const auto g = ReadG(line.text);
        const bool lapsEmpty = line.text.find("\",,\"") != std::string::npos;
        EXPECT_EQ(lapsEmpty, crossed.count(g.RegNo) == 0) << line.text;
        EXPECT_EQ(g.Laps == 0, lapsEmpty) << line.text;
        empty += lapsEmpty;
    }
    EXPECT_GE(empty, cars) << "the grid, every car without a lap";
}

} // namespace
} // namespace kav
