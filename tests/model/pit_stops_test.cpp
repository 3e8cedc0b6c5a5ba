// Pit states from line crossings, step by step as a car's loops and standings come.

#include <gtest/gtest.h>

#include "parsed_record.h"
#include "pit_stops.h"

namespace kav {
namespace {

constexpr TimeValue kSecond = kTicksPerSecond;

// A $L line, or "laps N" for the car's standing; then the car's state after it.
struct Step {
    const char* input;
    bool taken;
    PitState after;
};

void run(PitStops& pits, const Step& step)
{
    const std::string_view input = step.input;
    if (input.starts_with("laps ")) {
        pits.takeLaps("7", std::stoi(std::string(input.substr(5))));
    } else {
        const ParsedRecord record = parseRecord(input);
        ASSERT_EQ(record.kind(), kKindCrossing) << input;
        EXPECT_EQ(pits.take(std::get<LineCrossingRecord>(record.data)), step.taken) << input;
    }
    ASSERT_NE(pits.find("7"), nullptr) << input;
    EXPECT_EQ(*pits.find("7"), step.after) << input;
}

TEST(PitStops, FollowACarThroughItsStops)
{
    // in pit lane, stops, last stop, laps, stint start
    const Step steps[] = {
        // Out of the pits at the start, no pit-in seen: no stop, the stint starts.
        {R"($L,"7","P2","POP","06/01/2026","14:00:05.000")", true, {false, 0, -1, 0, 0}},
        {"laps 5", true, {false, 0, -1, 5, 0}},
        {R"($L,"7","P1","PIP","06/01/2026","14:10:00.000")", true, {true, 1, -1, 5, 0}},
        // The same loop read twice, and the pit lane's own finish line: still the one stop.
        {R"($L,"7","P1","PIP","06/01/2026","14:10:01.000")", true, {true, 1, -1, 5, 0}},
        {R"($L,"7","P3","SFP","06/01/2026","14:10:12.000")", true, {true, 1, -1, 5, 0}},
        {"laps 6", true, {true, 1, -1, 6, 0}},
        {R"($L,"7","P2","POP","06/01/2026","14:10:25.500")", true, {false, 1, 25 * kSecond + 5000, 6, 6}},
        {R"($L,"7","P2","POP","06/01/2026","14:10:25.500")", false, {false, 1, 25 * kSecond + 5000, 6, 6}},
        {"laps 9", true, {false, 1, 25 * kSecond + 5000, 9, 6}},
        {R"($L,"7","T1","SFT","06/01/2026","14:12:00.000")", true, {false, 1, 25 * kSecond + 5000, 9, 6}},
        {R"($L,"7","X9","XYZ","06/01/2026","14:12:30.000")", true, {false, 1, 25 * kSecond + 5000, 9, 6}},
        // Across midnight.
        {R"($L,"7","P1","PIP","06/01/2026","23:59:50.000")", true, {true, 2, 25 * kSecond + 5000, 9, 6}},
        {R"($L,"7","P2","POP","06/02/2026","00:00:10.000")", true, {false, 2, 20 * kSecond, 9, 9}},
        // The pit-out loop missed the car: the track line ends the stop, untimed.
        {"laps 12", true, {false, 2, 20 * kSecond, 12, 9}},
        {R"($L,"7","P1","PIP","06/02/2026","00:05:00.000")", true, {true, 3, 20 * kSecond, 12, 9}},
        {R"($L,"7","T1","SFT","06/02/2026","00:06:00.000")", true, {false, 3, -1, 12, 12}},
        // A pit-in on the stroke of midnight is a time like any other.
        {R"($L,"7","P1","PIP","06/03/2026","00:00:00.000")", true, {true, 4, -1, 12, 12}},
        {R"($L,"7","P2","POP","06/03/2026","00:00:30.000")", true, {false, 4, 30 * kSecond, 12, 12}},
    };
    PitStops pits;
    EXPECT_FALSE(pits.anyCrossing());
    pits.takeLaps("8", 4);
    EXPECT_EQ(pits.find("8"), nullptr) << "a car with standings alone has no pit state";
    for (const Step& step : steps)
        run(pits, step);
    EXPECT_TRUE(pits.anyCrossing());
    EXPECT_EQ(pits.find("8"), nullptr);
    EXPECT_EQ(pits.find("7")->lapsInStint(), 0);
    pits.clear();
    EXPECT_EQ(pits.find("7"), nullptr);
    EXPECT_FALSE(pits.anyCrossing());
}

TEST(PitStops, HoldAtMostTheirBoundOfCars)
{
    PitStops pits;
    for (std::size_t car = 0; car <= PitStops::kMaxCars; ++car)
        pits.take({std::to_string(car), "P1", "PIP", "06/01/2026", 0});
    EXPECT_NE(pits.find(std::to_string(PitStops::kMaxCars - 1)), nullptr);
    EXPECT_EQ(pits.find(std::to_string(PitStops::kMaxCars)), nullptr);
    EXPECT_FALSE(pits.take({"", "P1", "PIP", "06/01/2026", 0}));
}

} // namespace
} // namespace kav
