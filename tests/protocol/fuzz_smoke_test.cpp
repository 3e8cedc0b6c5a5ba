#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_table.h"
#include "mutated_inputs.h"
#include "protocol_fuzz_entry.h"

namespace kav {
namespace {

// The fuzz entry point over mutated real lines and random bytes.
TEST(ProtocolFuzzSmoke, MutatedAndRandomLinesBreakNothing)
{
    std::vector<std::string> seeds;
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/protocol/fuzz_seeds.txt"))
        seeds.push_back(row.at(0));
    runMutated(seeds, {7, 20000, 6, 4, std::string("\",;\t\r\n\0.:-$x9", 14)}, fuzzProtocolOnce);
    SUCCEED();
}

} // namespace
} // namespace kav
