#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mutated_inputs.h"
#include "protocol_fuzz_entry.h"

namespace kav {
namespace {

// The fuzz entry point over mutated real lines and random bytes.
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
    runMutated(seeds, {7, 20000, 6, 4, std::string("\",;\t\r\n\0.:-$x9", 14)}, fuzzProtocolOnce);
    SUCCEED();
}

} // namespace
} // namespace kav
