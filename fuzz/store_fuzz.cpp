// libFuzzer target over the text database and the settings and layout store.
#include <cstddef>
#include <cstdint>

#include "store_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kav::fuzzStoreOnce(data, size);
    return 0;
}
