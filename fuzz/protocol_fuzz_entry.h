#pragma once

#include <cstddef>
#include <cstdint>

namespace kav {

// Runs one input through the scanner, the record parse, the writers and the time reader,
// and aborts when an invariant breaks. Shared by the libFuzzer target and the test suite's smoke run.
void fuzzProtocolOnce(const std::uint8_t* data, std::size_t size);

} // namespace kav
