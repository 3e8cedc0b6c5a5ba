#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "protocol_fuzz_entry.h"

namespace kav {
namespace {

// A short run of the fuzz entry point over mutated real lines and random bytes; `make fuzz` runs
// the coverage-guided version for longer.
TEST(ProtocolFuzzSmoke, MutatedAndRandomLinesBreakNothing)
{
    const std::vector<std::string> seeds = {
        R"($A,"12","7",1234,"Abc","Defg","NED",2)",
        R"($COMP,"-??-","NE4",3,"John","Peruto, Esq.","GBR","")",
        R"($F,9999,"00:00:00","12:00:00","00:05:00","Green ")",
        R"($G,3,"1234BE",,"00:00:00.000")",
        R"($H,2,"7",0,"00:59:59.999")",
        R"($J,"12","1:23.456","0")",
        R"($JQ,"12","1:23.4",5,"2:00","Normal","Finish")",
        R"($D,"a","b",1,2,"1:00","AB",3,"1:00",4,"1:00")",
        R"($T,1,"r",2,"Hello  ")",
        "$B,95,\"Race 3\"\r",
        "$E,\"TRACKLENGTH\",\"2.500\"",
    };
    std::mt19937 rng(7);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    for (int round = 0; round < 20000; ++round) {
        std::string line = seeds[pick(seeds.size())];
        const int edits = static_cast<int>(pick(6));
        for (int e = 0; e < edits && !line.empty(); ++e) {
            const std::size_t at = pick(line.size());
            switch (pick(4)) {
            case 0: line[at] = static_cast<char>(pick(256)); break;
            case 1: line.erase(at, 1 + pick(4)); break;
            case 2: line.insert(at, 1, "\",;\t\r\n\0.:-$x9"[pick(14)]); break;
            default: line += line.substr(at); break;
            }
        }
        fuzzProtocolOnce(reinterpret_cast<const std::uint8_t*>(line.data()), line.size());
    }
    SUCCEED();
}

} // namespace
} // namespace kav
