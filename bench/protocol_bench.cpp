// Lines per second through the parse the record processor runs on each line: recognition and fields.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "parsed_record.h"

namespace {

// A race feed as it arrives during a session: passings and positions dominate, a heartbeat a
// second, practice positions and competitor records now and then.
std::vector<std::string> realisticLines()
{
    std::mt19937 rng(42);
    auto number = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<std::string> lines;
    for (int i = 0; i < 4000; ++i) {
        const int pick = number(0, 99);
        const std::string regNo = std::to_string(1000 + number(0, 51));
        const std::string lapTime =
            "00:01:" + std::to_string(10 + number(0, 49)) + "." + std::to_string(100 + number(0, 899));
        if (pick < 40)
            lines.push_back("$G," + std::to_string(number(1, 52)) + ",\"" + regNo + "\"," +
                            std::to_string(number(0, 60)) + ",\"00:" + std::to_string(10 + number(0, 49)) +
                            ":12.345\"");
        else if (pick < 75)
            lines.push_back("$J,\"" + regNo + "\",\"" + lapTime + "\",\"12:34:56.789\"");
        else if (pick < 85)
            lines.push_back("$H," + std::to_string(number(1, 52)) + ",\"" + regNo + "\"," +
                            std::to_string(number(1, 60)) + ",\"" + lapTime + "\"");
        else if (pick < 92)
            lines.push_back("$F,9999,\"00:12:34\",\"12:34:56\",\"00:25:01\",\"Green \"");
        else if (pick < 96)
            lines.push_back("$A,\"" + regNo + "\",\"" + regNo.substr(2) +
                            "\",52474,\"John\",\"Peruto, Esq.\",\"GBR\",2");
        else
            lines.push_back("$COMP,\"" + regNo + "\",\"" + regNo.substr(2) +
                            "\",2,\"Ann\",\"Smith\",\"NED\",\"Team Heron\"");
    }
    return lines;
}

// The name stays that of the figure's first version, which parsed each line twice; runs compare by it.
void BM_TakeAndGetter(benchmark::State& state)
{
    const auto lines = realisticLines();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kav::parseRecord(lines[next]));
        next = next + 1 == lines.size() ? 0 : next + 1;
    }
    state.counters["lines_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TakeAndGetter);

} // namespace

BENCHMARK_MAIN();
