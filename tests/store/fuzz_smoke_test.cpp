#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_table.h"
#include "mutated_inputs.h"
#include "store_fuzz_entry.h"

namespace kav {
namespace {

// The fuzz entry point over mutated settings files and random bytes.
TEST(StoreFuzzSmoke, MutatedFilesBreakNothing)
{
    std::vector<std::string> seeds;
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/store/fuzz_seeds.txt"))
        seeds.push_back(row.at(0));
    runMutated(seeds, {11, 400, 8, 6, std::string("[]=\r\n\0\" \t$x-9", 13)}, fuzzStoreOnce);
    SUCCEED();
}

} // namespace
} // namespace kav
