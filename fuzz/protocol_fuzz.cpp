// libFuzzer target over the protocol layer.
#include <cstddef>
#include <cstdint>

#include "protocol_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kav::fuzzProtocolOnce(data, size);
    return 0;
}
